#pragma once
// A spot engine with the real country data on the manual clock, English number formats, and
// helpers that feed it cluster lines and look at drawn images.

#include "tests/log/QStringPrint.h"
#include "tests/dx/DXFixture.h"

#include "log/LogInterface.h"

#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QString>
#include <QTime>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// 2026-02-01 18:50 UTC, the day of the real session capture.
inline const QDateTime ViewsNow(QDate(2026, 2, 1), QTime(18, 50), Qt::UTC);

// One live spot line as a node writes it, stamped `minutesAgo` before the manual clock.
inline QString SpotLine(const QString& call, int32_t hz, const QString& comment = QString(), int minutesAgo = 0,
                        const QString& spotter = QStringLiteral("DL1XYZ"))
{
    const QString freq = QStringLiteral("%1.%2").arg(hz / 1000).arg(hz % 1000 / 100);
    QString head = QStringLiteral("DX de %1:").arg(spotter);
    head = head.leftJustified(24 - int(freq.size()), u' ') + freq + QStringLiteral("  ");
    QString line = head + call.leftJustified(13, u' ') + comment;
    const QTime t = vx::Clock::nowUtc().addSecs(-60 * minutesAgo).time();
    return line.leftJustified(70, u' ').left(70) + t.toString(QStringLiteral("HHmm")) + QLatin1Char('Z');
}

// A logbook in a temporary folder, hooked to the engine, with a CW QSO on 20 m for each call:
// their spots in the CW segment show as logged.
struct TTestLog {
    QTemporaryDir Dir;
    TLogInterface Log;
    ~TTestLog() { Log.WaitForWriter(); }
};

inline std::unique_ptr<TTestLog> LogCWQSOs(TDXSpots& engine, const QStringList& calls)
{
    auto t = std::make_unique<TTestLog>();
    t->Log.SetMyCall("DL1ABC");
    t->Log.SetLogFolder(t->Dir.path());
    t->Log.SetLogFileName("test.log");
    EXPECT_TRUE(t->Log.NewLogFile());
    engine.SetLogInterface(&t->Log);
    for (const QString& call : calls) {
        TLogRecord qso;
        qso.SetCall(call);
        qso.SetBand(bd20);
        qso.SetMode(mCW);
        qso.SetQSODateAsString("20260201");
        EXPECT_TRUE(t->Log.AddQSO(qso));
    }
    return t;
}

class DXViewsFixture : public DXFixture {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetUpEngine(ViewsNow);
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        DXFixture::TearDown();
    }

    // Feeds a live spot and returns its number (0 when the engine did not store it).
    int32_t Spot(const QString& call, int32_t hz, const QString& comment = QString(), int minutesAgo = 0,
                 const QString& spotter = QStringLiteral("DL1XYZ"))
    {
        const int before = engine->SpotDataList().Count();
        engine->Add(SpotLine(call, hz, comment, minutesAgo, spotter));
        if (engine->SpotDataList().Count() == before)
            return 0;
        return engine->SpotDataList()[engine->SpotDataList().Count() - 1].SpotID;
    }
};

// The text as the band map writes it: on black, top-left at (x, top), in the colour.
inline QImage TextImage(const QFont& font, const QString& text, const QColor& color, qreal dpr = 1.0)
{
    const QFontMetrics fm(font);
    QImage img(QSize(fm.horizontalAdvance(text), fm.height()) * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QPointF(0, fm.ascent()), text);
    return img;
}

// Whether `text` stands in the image at (x, top) exactly as the band map writes it.
inline bool TextAt(const QImage& image, const QFont& font, int x, int top, const QString& text, const QColor& color)
{
    const QImage expected = TextImage(font, text, color, image.devicePixelRatio());
    const qreal dpr = image.devicePixelRatio();
    const QImage actual = image.copy(QRect(QPoint(int(x * dpr), int(top * dpr)), expected.size()));
    return actual.convertToFormat(QImage::Format_RGB32) == expected;
}

inline QColor At(const QImage& image, int x, int y)
{
    const qreal dpr = image.devicePixelRatio();
    return QColor(image.pixel(int(x * dpr), int(y * dpr)));
}
