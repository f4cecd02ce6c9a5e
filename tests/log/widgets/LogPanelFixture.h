#pragma once
// The QSO entry panel as the main window wires it: a logbook over a log file in a temporary
// folder, the spot engine on the real cty.dat, the three actions, a callbook double and
// doubles of the two views, on the manual clock at 2024-03-05 12:34:56 UTC.
#include "../LogFixture.h"
#include "controls/widgets/Shape.h"
#include "dx/DXSpots.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelControls.h"
#include "log/widgets/LogPanelLinks.h"
#include "platform/Clock.h"
#include "tests/dx/DXFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <memory>

using vx::logpanel::TEntryEdit;

inline const QDateTime PanelNow(QDate(2024, 3, 5), QTime(12, 34, 56), Qt::UTC);

// The callbook client as the panel sees it; answers are given by the test.
class FakeCallbook : public TCallbookLink {
public:
    QString DomainName() const override { return QStringLiteral("qrz.com"); }
    bool UseQRZ() const override { return Use; }
    void SetUseQRZ(bool v)
    {
        Use = v;
        Fire(OnUseQRZ, v);
    }
    bool ImmediateLookup() const override { return Immediate; }
    bool SessionStarted() const override { return Session; }
    QString CallsignRequest() const override { return Requested; }
    // The client's portable-call rule: of "A/B" the longer part, of equal ones B unless it
    // begins with "VP".
    void SetCallsignRequest(const QString& call) override
    {
        const qsizetype slash = call.indexOf(QLatin1Char('/'));
        if (slash < 0) {
            Requested = call;
            return;
        }
        const QString a = call.left(slash);
        const QString b = call.mid(slash + 1);
        Requested = b.size() < a.size() ? a : b.size() > a.size() ? b : (b.startsWith("VP") ? a : b);
    }
    void Open() override { ++Opens; }
    void Request() override { Asked << Requested; }

    QString Call() const override { return Answer.Call; }
    QString Grid() const override { return Answer.Grid; }
    int32_t DXCC() const override { return Answer.DXCC; }
    QString State() const override { return Answer.State; }
    bool LoTW() const override { return Answer.LoTW; }
    QString RangeAndBearing() const override { return Answer.RangeAndBearing; }
    QString Qslmgr() const override { return Answer.Qslmgr; }
    QString FirstName() const override { return Answer.FirstName; }

    // A lookup answer arrives.
    struct TAnswer {
        QString Call;
        QString Grid;
        int32_t DXCC = 0;
        QString State;
        bool LoTW = false;
        QString RangeAndBearing;
        QString Qslmgr;
        QString FirstName;
    };
    void Answers(const TAnswer& a, bool success = true, const QString& message = " Request OK")
    {
        Answer = a;
        Fire(OnRequest, success, message);
    }

    bool Use = true;
    bool Immediate = false;
    bool Session = true;
    QString Requested;
    QStringList Asked;
    int Opens = 0;
    TAnswer Answer;
};

// The spot dialog and the callbook window.
class FakeViews : public TLogPanelViews {
public:
    std::optional<QString> EditSpot(const QString& line) override
    {
        Proposed << line;
        if (!Confirm)
            return std::nullopt;
        return Edited.isEmpty() ? line : Edited;
    }
    void ShowCallbookInfo(TCallbookLink&) override { ++InfoShown; }
    void CallbookAnswered(bool success) override { Answered << success; }

    bool Confirm = true;
    QString Edited;
    QStringList Proposed;
    int InfoShown = 0;
    QList<bool> Answered;
};

class LogPanelFixture : public LogFixture {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(PanelNow);
        ASSERT_TRUE(data.isValid());
        InstallCountryFiles(data);
        LogFixture::SetUp();
        spots = std::make_unique<TDXSpots>();
        spots->SetMyCall(OwnCall);
        spots->Open();
        logQSO = new QAction(QStringLiteral("Log QSO"), &actions);
        addSpot = new QAction(QStringLiteral("Insert Call into Bandmap"), &actions);
        lookup = new QAction(QStringLiteral("Callbook Lookup"), &actions);
        panel = std::make_unique<TLogPanel>();
        wire(*panel);
    }
    void TearDown() override
    {
        panel.reset();
        spots.reset();
        LogFixture::TearDown();
        vx::Clock::useSystem();
    }

    // References and events as the main window sets them, then the log opened.
    void wire(TLogPanel& p)
    {
        p.SetLogInterface(log.get());
        p.SetDXSpots(spots.get());
        p.SetLogQSOAction(logQSO);
        p.SetAddSpotToBandmapAction(addSpot);
        p.SetQRZLookupAction(lookup);
        p.SetViews(&views);
        p.OnFrequencyA = [this](int32_t hz) { tuned << hz; };
        p.OnSendToTelnet = [this](const QString& line) { sent << line; };
        log->OnLogLoaded = [this] { ++loaded; };
    }
    // An empty log (or the given lines) opened, and the panel opened on it.
    void openLog(const QStringList& lines = {})
    {
        writeLog(lines);
        ASSERT_TRUE(openAndWait());
        panel->Open();
    }
    void useCallbook()
    {
        callbook = std::make_unique<FakeCallbook>();
        panel->SetQRZInterface(callbook.get());
    }
    // Shown and active, so that focus moves are real.
    void show()
    {
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        T* w = panel->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    TEntryEdit* edit(const char* name) const { return child<TEntryEdit>(name); }
    QComboBox* list(const char* name) const { return child<QComboBox>(name); }
    QLabel* label(const char* name) const { return child<QLabel>(name); }
    QString text(const char* name) const { return edit(name)->text(); }
    QString message() const { return label("LogEventLabel")->text(); }
    bool shown(const char* name) const { return !child(name)->isHidden(); }

    // Typing, as the keyboard does it.
    void type(const char* field, const QString& keys) { QTest::keyClicks(edit(field), keys); }
    // A call typed into the empty call field.
    void typeCall(const QString& call)
    {
        edit("CallEdit")->clear();
        type("CallEdit", call);
    }
    // The user picks an item of a list.
    void pick(const char* name, int item)
    {
        QComboBox* l = list(name);
        l->setCurrentIndex(item);
        Q_EMIT l->activated(item);
    }
    void pick(const char* name, const QString& item) { pick(name, list(name)->findText(item)); }
    // The focus enters or leaves a field.
    void focus(QWidget* w, QEvent::Type type)
    {
        QFocusEvent e(type, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &e);
    }
    void enter(const char* name) { focus(child(name), QEvent::FocusIn); }
    void leave(const char* name) { focus(child(name), QEvent::FocusOut); }

    // The log file's QSO lines.
    QStringList qsoLines() const
    {
        QStringList lines = fileLines();
        if (!lines.isEmpty())
            lines.removeFirst();
        return lines;
    }
    // A logged line read back.
    static TLogRecord Read(const QString& line)
    {
        TLogRecord r;
        r.ExplodeQSOLine(line);
        return r;
    }

    QTemporaryDir data;
    std::unique_ptr<TDXSpots> spots;
    QObject actions;
    QAction* logQSO = nullptr;
    QAction* addSpot = nullptr;
    QAction* lookup = nullptr;
    FakeViews views;
    std::unique_ptr<FakeCallbook> callbook;
    std::unique_ptr<TLogPanel> panel;
    QList<int32_t> tuned;
    QStringList sent;
};

inline QString ColorOf(const QLabel* l)
{
    return l->palette().color(QPalette::WindowText).name();
}
