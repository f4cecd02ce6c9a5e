// The log grid over a log of 200,000 QSOs with no row limit (MaxQSOs 0), offscreen: opening
// to the first painted grid within 1.5 s; new rows (OnLogData) to the repainted grid within
// 50 ms; Ctrl+End with its paint within 20 ms; each key typed in the Call filter cell to the
// repainted grid within 50 ms in log order and 250 ms with a sort column set; logging one QSO
// within 30 ms of GUI time, in log order and sorted by Call (median).  With MaxQSOs 3000 the
// grid filters stay within 50 ms.
// Prints every figure against its target; the exit code is 1 when one is missed.
#include "bench/BenchLog.h"
#include "bench/BenchTargets.h"
#include "log/widgets/LogGridModel.h"
#include "log/widgets/LogbookPanelVST.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>

namespace {

TBenchTargets Targets;

double Ms(const std::function<void()>& step)
{
    QElapsedTimer t;
    t.start();
    step();
    return double(t.nsecsElapsed()) / 1e6;
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// The panel as on the main window's tab, with the logbook of the big log.
struct TGrid {
    explicit TGrid(TBigLog& big)
        : Big(big)
    {
        Panel.resize(900, 600);
        Panel.show();
        Panel.SetLogInterface(&big.Log);
    }
    // What the event loop does after a change: the views' delayed layout (scroll ranges), then
    // the paint.
    void Paint()
    {
        QCoreApplication::processEvents();
        Panel.repaint();
    }

    QLineEdit* CallCell()
    {
        TLogFilterView* v = Panel.VSTHeader();
        const QModelIndex cell = v->model()->index(0, LogColumn::Call);
        v->setCurrentIndex(cell); // starts the edit
        if (!v->IsEditing())
            v->edit(cell);
        return qobject_cast<QLineEdit*>(v->indexWidget(cell));
    }

    // Types D, DL, Backspace, Backspace in the Call cell; returns the time of each key.
    std::vector<double> TypeInCall()
    {
        std::vector<double> runs;
        QLineEdit* call = CallCell();
        const std::pair<int, const char*> keys[] = {
            {Qt::Key_D, "D"}, {Qt::Key_L, "L"}, {Qt::Key_Backspace, ""}, {Qt::Key_Backspace, ""}};
        for (const auto& [key, text] : keys) {
            runs.push_back(Ms([&] {
                SendKey(call, key, Qt::NoModifier, QString::fromLatin1(text));
                Paint();
            }));
        }
        return runs;
    }

    TBigLog& Big;
    TLogbookPanelVST Panel;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TBigLog big(false);
    big.Log.SetMaxQSOs(0);
    TGrid grid(big);

    {
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            runs.push_back(Ms([&] {
                big.Load();
                grid.Paint();
            }));
        Targets.Times("Open to the first painted grid (200,000 rows)", runs, 1500);
        if (grid.Panel.GridModel()->rowCount() != QSOCount) {
            Targets.Count("Rows after the open", grid.Panel.GridModel()->rowCount(), QSOCount);
            return Targets.ExitCode();
        }
    }
    {
        std::vector<double> runs;
        for (int i = 0; i < 10; ++i)
            runs.push_back(Ms([&] {
                big.Log.OnLogData();
                grid.Paint();
            }));
        Targets.Times("OnLogData to the repainted grid", runs, 50);
    }
    {
        std::vector<double> runs;
        for (int i = 0; i < 10; ++i) {
            grid.Panel.VST()->scrollToTop();
            grid.Panel.VST()->setCurrentIndex(grid.Panel.GridModel()->index(0, 0));
            grid.Paint();
            runs.push_back(Ms([&] {
                SendKey(grid.Panel.VST(), Qt::Key_End, Qt::ControlModifier);
                grid.Paint();
            }));
        }
        Targets.Times("Ctrl+End and its paint", runs, 20);
    }
    {
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            for (double ms : grid.TypeInCall())
                runs.push_back(ms);
        Targets.Times("Call cell: D, DL, Backspace, Backspace (log order)", runs, 50);
    }
    {
        TLogRecord r;
        std::vector<double> runs;
        for (int i = 0; i < 20; ++i) {
            r.Clear();
            r.SetQSODateAsString("20240101");
            r.SetTimeOnAsString(QStringLiteral("%1").arg(i * 100, 6, 10, QChar('0')));
            r.SetCall(big.NextCall());
            r.SetBandAsString("20m");
            r.SetModeAsString("CW");
            runs.push_back(Ms([&] {
                big.Log.AddQSO(r);
                grid.Paint();
            }));
        }
        Targets.Times("Logging one QSO (GUI time, log order)", runs, 30);
    }
    {
        // Sorted by call: a filter sorts all rows it gets; a logged QSO is put in its place.
        grid.Panel.SortByColumn(LogColumn::Call);
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            for (double ms : grid.TypeInCall())
                runs.push_back(ms);
        Targets.Times("Call cell: D, DL, Backspace, Backspace (sorted by Call)", runs, 250);
        TLogRecord r;
        runs.clear();
        for (int i = 0; i < 20; ++i) {
            r.Clear();
            r.SetQSODateAsString("20240102");
            r.SetTimeOnAsString(QStringLiteral("%1").arg(i * 100, 6, 10, QChar('0')));
            r.SetCall(big.NextCall());
            runs.push_back(Ms([&] {
                big.Log.AddQSO(r);
                grid.Paint();
            }));
        }
        Targets.Times("Logging one QSO (GUI time, sorted by Call)", runs, 30, TBenchTargets::Median);
        Targets.Count("Rows after logging", grid.Panel.GridModel()->rowCount(), big.Log.LogBook().size());
    }
    {
        big.Log.SetMaxQSOs(3000);
        const std::function<void(TLogFilter&)> filters[] = {
            [](TLogFilter&) {},
            [](TLogFilter& f) { f.SetCall("VK9"); },
            [](TLogFilter& f) { f.SetDXCC("123"); },
            [](TLogFilter& f) {
                f.SetComment("signal");
                f.SetMode("JT65");
                f.SetBand("2m");
            },
            [](TLogFilter& f) { f.SetQSODate("200403"); },
        };
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            for (const auto& set : filters) {
                TLogFilter f;
                set(f);
                runs.push_back(Ms([&] {
                    big.Log.FilterQSOs(f);
                    grid.Paint();
                }));
            }
        Targets.Times("MaxQSOs 3000: the logbook's grid filters, repainted", runs, 50);
    }
    return Targets.ExitCode();
}
