#pragma once
// The log grid over a logbook of a log file in a temporary folder.
#include "../LogFixture.h"
#include "controls/widgets/RCSpeedButton.h"
#include "log/widgets/LogGridModel.h"
#include "log/widgets/LogbookEditLink.h"
#include "log/widgets/LogbookPanelVST.h"
#include "tests/support/WidgetInput.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QLineEdit>
#include <functional>
#include <map>

// A QSO line with any fields set.
inline QString Line(const QString& call, const QString& date, const QString& time,
                    const std::map<int, QString>& fields = {})
{
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine(call, date, time));
    for (const auto& [field, value] : fields)
        r.SetFieldAsString(field, value);
    return r.QSOLine();
}

inline QColor Pixel(const QImage& img, int x, int y)
{
    return QColor(img.pixel(x, y));
}

// Saves an artifact under the build folder; returns whether it was written.
inline bool SaveArtifact(const QImage& img, const QString& fileName)
{
    return img.save(QStringLiteral(VX_BUILD_DIR "/") + fileName);
}

inline QImage Grab(QWidget& w, qreal dpr = 1.0)
{
    QImage img(w.size() * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::magenta);
    w.render(&img);
    return img;
}

class GridFixture : public LogFixture {
protected:
    void SetUp() override
    {
        LogFixture::SetUp();
        panel = std::make_unique<TLogbookPanelVST>();
        panel->SetLogInterface(log.get());
        log->OnTickCount = [this](uint32_t) { ++filterRuns; };
    }
    void TearDown() override
    {
        panel.reset();
        LogFixture::TearDown();
    }

    // Writes the lines as the log and opens it.
    void openLog(const QStringList& lines)
    {
        writeLog(lines);
        ASSERT_TRUE(openAndWait());
    }

    TLogGridModel& grid() { return *panel->GridModel(); }
    QStringList column(int c)
    {
        QStringList texts;
        for (int r = 0; r < grid().rowCount(); ++r)
            texts << grid().data(grid().index(r, c), Qt::DisplayRole).toString();
        return texts;
    }
    int rowOfCall(const QString& call)
    {
        for (int r = 0; r < grid().rowCount(); ++r) {
            if (grid().Row(r).Call == call)
                return r;
        }
        return -1;
    }

    // Clicks a caption of the filter grid.
    void clickCaption(int c)
    {
        QHeaderView* h = panel->VSTHeader()->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
        vxtest::Click(h->viewport(), at);
    }

    // Clicks a filter cell and returns its editor.
    QWidget* editCell(int c)
    {
        TLogFilterView* v = panel->VSTHeader();
        const QRect cell = v->visualRect(v->model()->index(0, c));
        vxtest::Click(v->viewport(), cell.center());
        return editorOf(c);
    }
    QWidget* editorOf(int c) { return panel->VSTHeader()->indexWidget(panel->VSTHeader()->model()->index(0, c)); }

    void type(QWidget* editor, const QString& text)
    {
        for (QChar ch : text)
            vxtest::Key(editor, ch.toUpper().unicode(), QString(ch)); // Qt's key codes of ASCII
    }

    std::unique_ptr<TLogbookPanelVST> panel;
    int filterRuns = 0;
};
