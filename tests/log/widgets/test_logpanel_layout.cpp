// The entry panel's controls and lists, its layouts (regular, contest, manual date and time,
// columns, editing) and the pictures a person looks at.
#include "LogPanelFixture.h"

#include <QImage>

namespace {

struct Placed {
    const char* name;
    int left, top, width;
    int maxLength; // 0: not an edit
};

QImage Render(QWidget& w, qreal dpr = 1.0)
{
    QImage img(w.size() * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::magenta);
    w.render(&img);
    return img;
}

bool SaveArtifact(const QImage& img, const QString& fileName)
{
    return img.save(QStringLiteral(VX_BUILD_DIR "/") + fileName);
}

// Whether any pixel of the rectangle has about this colour.
bool HasColor(const QImage& img, const QRect& r, const QColor& c)
{
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) < 40 && std::abs(p.green() - c.green()) < 40 &&
                std::abs(p.blue() - c.blue()) < 40)
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(LogPanelFixture, ControlsWhereTheyBelong)
{
    openLog();
    EXPECT_EQ(panel->size(), QSize(352, 251));
    EXPECT_EQ(panel->minimumSize(), panel->maximumSize());
    EXPECT_EQ(panel->Color(), QColor(65, 65, 65));

    const Placed placed[] = {
        {"CallEdit", 8, 18, 162, 16},     {"RSTsEdit", 8, 53, 43, 4},       {"RSTrEdit", 57, 53, 43, 4},
        {"STXEdit", 57, 53, 43, 10},      {"SRXEdit", 177, 53, 43, 10},     {"LocatorEdit", 227, 53, 50, 6},
        {"CommentEdit", 8, 88, 212, 60},  {"NameEdit", 8, 123, 91, 40},     {"QTHEdit", 104, 123, 116, 60},
        {"IOTAEdit", 227, 123, 50, 6},    {"QSLInfoEdit", 8, 158, 91, 20},  {"LogQSOButton", 282, 16, 61, 0},
        {"BandEdit", 282, 53, 61, 0},     {"ModeEdit", 227, 88, 50, 0},     {"SubModeEdit", 282, 88, 61, 0},
        {"StateEdit", 282, 123, 61, 0},   {"PropModeEdit", 104, 158, 173, 0}, {"CQZEdit", 282, 158, 61, 0},
        {"DXCCEdit", 8, 193, 269, 0},     {"ContEdit", 282, 193, 61, 0},    {"DateEdit", 127, 18, 93, 0},
        {"UTCEdit", 227, 18, 50, 0},      {"QSLsEdit", 8, 228, 37, 0},      {"QSLeQSLRcvdEdit", 240, 228, 37, 0},
    };
    for (const Placed& p : placed) {
        SCOPED_TRACE(p.name);
        const QWidget* w = child(p.name);
        EXPECT_EQ(w->geometry().topLeft(), QPoint(p.left, p.top));
        EXPECT_EQ(w->width(), p.width);
        if (p.maxLength > 0) {
            EXPECT_EQ(static_cast<const QLineEdit*>(w)->maxLength(), p.maxLength);
        }
        // Everything fits the panel.
        EXPECT_TRUE(panel->rect().contains(w->geometry())) << p.name;
    }
    EXPECT_EQ(child<QPushButton>("LogQSOButton")->text(), "Log QSO");
    EXPECT_EQ(child<QPushButton>("LogQSOButton")->property("tabOrder").toInt(), 99);
    EXPECT_EQ(text("RSTsEdit"), "599");
    EXPECT_EQ(text("RSTrEdit"), "599");
    EXPECT_EQ(label("LabelCall")->buddy(), edit("CallEdit"));
    EXPECT_EQ(label("LabelName")->buddy(), edit("NameEdit"));
    EXPECT_EQ(label("LabelQSLInfo")->buddy(), edit("QSLInfoEdit"));

    // Upper case where the table says so; the others take what is typed.
    for (const char* upper : {"CallEdit", "RSTsEdit", "STXEdit", "SRXEdit", "IOTAEdit", "QSLInfoEdit"})
        EXPECT_TRUE(edit(upper)->UpperCase()) << upper;
    for (const char* mixed : {"LocatorEdit", "CommentEdit", "NameEdit", "QTHEdit"})
        EXPECT_FALSE(edit(mixed)->UpperCase()) << mixed;
    edit("QSLInfoEdit")->setText("via dl1xyz");
    EXPECT_EQ(text("QSLInfoEdit"), "VIA DL1XYZ");

    // Lists: item positions are the ordinals.
    EXPECT_EQ(list("BandEdit")->count(), 15);
    EXPECT_EQ(list("BandEdit")->currentIndex(), 4);
    EXPECT_EQ(list("BandEdit")->currentText(), "40m");
    EXPECT_EQ(list("ModeEdit")->count(), 50);
    EXPECT_EQ(list("ModeEdit")->currentText(), "CW");
    EXPECT_EQ(list("ModeEdit")->itemText(28), "MFSK");
    EXPECT_EQ(list("ModeEdit")->itemText(35), "PKT");
    EXPECT_EQ(list("ModeEdit")->itemText(49), "WSPR");
    EXPECT_EQ(list("StateEdit")->itemText(1), "AK");
    EXPECT_EQ(list("StateEdit")->itemText(12), "HI");
    EXPECT_EQ(list("StateEdit")->count(), 52);
    EXPECT_EQ(list("CQZEdit")->count(), 41);
    EXPECT_EQ(list("CQZEdit")->itemText(1), "01");
    EXPECT_EQ(list("CQZEdit")->itemText(40), "40");
    EXPECT_EQ(list("PropModeEdit")->itemText(18), "TR - Tropospheric ducting");
    EXPECT_EQ(list("ContEdit")->itemText(3), "EU");
    EXPECT_EQ(list("QSLsEdit")->count(), 5);
    EXPECT_EQ(list("QSLrEdit")->count(), 4);
    EXPECT_EQ(list("DXCCEdit")->itemText(0), "");
    EXPECT_GE(list("DXCCEdit")->findText("DL Fed. Rep. of Germany (230)"), 1);
    EXPECT_EQ(list("DXCCEdit")->maxVisibleItems(), 25);
}

TEST_F(LogPanelFixture, TabWalksTheEntryFieldsAndComesBack)
{
    openLog();
    // In a window with more to it than the panel.
    QWidget window;
    panel->setParent(&window);
    QLineEdit after(&window);
    after.move(0, 260);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit("CallEdit")->setFocus();
    type("CallEdit", "DL1ABC"); // the Log QSO button takes the focus only when it can log
    QStringList walk;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walk, QStringList({"RSTsEdit", "RSTrEdit", "LocatorEdit", "CommentEdit", "NameEdit", "QTHEdit",
                                 "LogQSOButton", "CallEdit"}));

    // Entering an RST field selects its middle digit: one key makes 579 of 599.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), edit("RSTsEdit"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    EXPECT_EQ(text("RSTsEdit"), "579");
    panel->setParent(nullptr);
}

TEST_F(LogPanelFixture, ContestLayout)
{
    openLog();
    log->SetLoggingMode(lmContest);
    EXPECT_EQ(panel->LogOptions().LoggingMode(), lmContest);
    EXPECT_EQ(edit("RSTrEdit")->x(), 127);
    EXPECT_EQ(label("LabelRSTRcvd")->x(), 130);
    EXPECT_EQ(list("ModeEdit")->geometry(), QRect(282, 88, 61, 21));
    EXPECT_EQ(label("LabelMode")->x(), 286);
    for (const char* hidden : {"CommentEdit", "NameEdit", "QTHEdit", "SubModeEdit", "QSLInfoEdit", "PropModeEdit",
                               "IOTAEdit", "LabelComment", "LabelName", "LabelQTH", "LabelSubMode", "LabelQSLInfo",
                               "LabelPropMode", "LabelIOTA"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    for (const char* visible : {"STXEdit", "SRXEdit", "LabelSTX", "LabelSRX"})
        EXPECT_TRUE(shown(visible)) << visible;

    log->SetLoggingMode(lmRegular);
    EXPECT_EQ(edit("RSTrEdit")->x(), 57);
    EXPECT_EQ(list("ModeEdit")->geometry(), QRect(227, 88, 50, 21));
    EXPECT_TRUE(shown("CommentEdit"));
    EXPECT_FALSE(shown("SRXEdit"));
}

TEST_F(LogPanelFixture, ManualDateAndTimeAndColumns)
{
    openLog();
    vx::Clock::advance(1000);
    EXPECT_EQ(label("LabelDateTime")->text(), "2024-03-05 12:34");

    QCheckBox* realTime = child<QCheckBox>("RealTimeCheckBox");
    EXPECT_EQ(realTime->text(), "real-time");
    EXPECT_TRUE(realTime->isChecked());
    realTime->click();
    EXPECT_FALSE(panel->RealTimeLogging());
    EXPECT_EQ(edit("CallEdit")->width(), 113);
    for (const char* name : {"DateEdit", "UTCEdit", "LabelDate", "LabelUTC"})
        EXPECT_TRUE(shown(name)) << name;
    EXPECT_FALSE(shown("LabelDateTime"));
    EXPECT_EQ(child<QDateEdit>("DateEdit")->date(), QDate(2024, 3, 5));
    EXPECT_EQ(child<QDateEdit>("DateEdit")->displayFormat(), "dd.MM.yyyy");
    EXPECT_EQ(child<QTimeEdit>("UTCEdit")->displayFormat(), "HH:mm");
    // The QSL flags of the enabled columns (grid, state, QSL, LoTW by default) appear.
    EXPECT_TRUE(shown("QSLsEdit"));
    EXPECT_TRUE(shown("LoTWQSLrEdit"));
    EXPECT_FALSE(shown("QSLeQSLSentEdit"));
    // The clock stops with real-time logging.
    vx::Clock::advance(60000);
    EXPECT_EQ(label("LabelDateTime")->text(), "2024-03-05 12:34");

    log->SetLogBookColumns({colQSLeQSL});
    EXPECT_FALSE(shown("LocatorEdit"));
    EXPECT_FALSE(shown("StateEdit"));
    EXPECT_FALSE(shown("QSLsEdit"));
    EXPECT_TRUE(shown("QSLeQSLRcvdEdit"));

    realTime->click();
    EXPECT_EQ(edit("CallEdit")->width(), 162);
    EXPECT_FALSE(shown("DateEdit"));
    EXPECT_FALSE(shown("QSLeQSLRcvdEdit"));
    vx::Clock::advance(1000);
    EXPECT_EQ(label("LabelDateTime")->text(), "2024-03-05 12:35");
}

TEST_F(LogPanelFixture, LabelsLightUpWhileTheirFieldHasTheFocus)
{
    openLog();
    EXPECT_EQ(ColorOf(label("LabelCall")), "#c0c0c0");
    enter("CallEdit");
    EXPECT_EQ(ColorOf(label("LabelCall")), "#ffff99");
    leave("CallEdit");
    EXPECT_EQ(ColorOf(label("LabelCall")), "#c0c0c0");
    enter("DXCCEdit");
    EXPECT_EQ(ColorOf(label("LabelDXCC")), "#ffff99");
    // Opening the drop-down list does not leave the field.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(list("DXCCEdit"), &popup);
    EXPECT_EQ(ColorOf(label("LabelDXCC")), "#ffff99");
}

// Pictures for a person to look at: regular layout busy with a looked-up call, callbook marks
// and a message; the contest layout.
TEST_F(LogPanelFixture, Pictures)
{
    openLog({QSOLine("DL1ABC", "20230101", "120000", "20m", "CW"), QSOLine("DL1ABC", "20230202", "120000", "40m")});
    spots->SetMyLocator("JO62QM");
    useCallbook();
    panel->SetBandA(bd20);
    vx::Clock::advance(1000);
    typeCall("DL1ABC");
    type("CommentEdit", "ufb sigs");
    type("NameEdit", "Hans");
    type("QTHEdit", "Essen");
    child<QWidget>("QTHEdit")->setFocus();
    enter("QTHEdit");
    panel->DoQRZButtonClick();
    callbook->Answers({"DL1ABC", "JO31ab", 230, {}, true, "256° 512 km", "via DL0XYZ", "Hans"});
    ASSERT_EQ(message(), "Hans - via DL0XYZ");

    QImage img = Render(*panel);
    ASSERT_TRUE(SaveArtifact(img, "panel-logentry.png"));
    EXPECT_TRUE(SaveArtifact(Render(*panel, 2.0), "panel-logentry@2x.png"));
    EXPECT_EQ(img.pixelColor(340, 245), QColor(65, 65, 65)); // the panel's own grey
    EXPECT_TRUE(HasColor(img, label("LabelPathInfo")->geometry(), QColor(0, 255, 153)));
    EXPECT_TRUE(HasColor(img, label("LabelQTH")->geometry(), QColor(255, 255, 153)));
    EXPECT_TRUE(HasColor(img, label("LabelComment")->geometry(), QColor(192, 192, 192)));
    EXPECT_TRUE(HasColor(img, child("QRZInfoShape")->geometry(), QColor(0, 255, 0)));
    EXPECT_TRUE(HasColor(img, child("QRZLoTWShape")->geometry(), QColor(0, 255, 0)));
    const QRect message = child("LogEventLabel")->geometry().translated(child("LogEventPanel")->pos());
    EXPECT_TRUE(HasColor(img, message, QColor(255, 255, 153)));
    // Texts fit their boxes.
    for (const char* name : {"LabelPathInfo", "LabelRegionInfo", "LogEventLabel"}) {
        const auto* l = child<vx::logpanel::TFitLabel>(name);
        EXPECT_LE(QFontMetrics(l->FittedFont()).horizontalAdvance(l->text()), l->width()) << name;
    }

    log->SetLoggingMode(lmContest);
    log->Contest().SetIncrementSerialNumbersTX(true);
    typeCall("SP5XYZ");
    type("SRXEdit", "042");
    ASSERT_TRUE(SaveArtifact(Render(*panel), "panel-logentry-contest.png"));

    // A logged QSO opened for editing: date and time pickers, the QSL flags, no message line.
    log->SetLoggingMode(lmRegular);
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    EXPECT_FALSE(shown("LogEventPanel"));
    EXPECT_TRUE(shown("LoTWQSLsEdit"));
    ASSERT_TRUE(SaveArtifact(Render(*panel), "panel-logentry-edit.png"));
}
