// The callbook info panel and its tool window, and the "Spot a DX" dialog: what an answer
// shows, pictures good and bad, links that may and may not be opened, and the dialog's keys
// and typing limit.
#include "DialogChecks.h"
#include "controls/widgets/RCPanel.h"
#include "log/QRZInterface.h"
#include "log/widgets/DXTelnetSendSpotDlg.h"
#include "log/widgets/QRZInfoPanel.h"
#include "tests/support/WidgetInput.h"

#include "../QStringPrint.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The callbook without the network: pictures are asked for, never fetched.
class TCallbookDouble : public TQRZInterface {
public:
    void DownloadImage() override { ++Downloads; }
    int Downloads = 0;
};

// Records every address handed to the desktop, whatever its scheme, so nothing is opened.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    TUrlCatcher()
    {
        for (const char* scheme : Schemes)
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
    }
    ~TUrlCatcher() override
    {
        for (const char* scheme : Schemes)
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    Q_INVOKABLE void Open(const QUrl& url) { Opened << url.toString(); }
    QStringList Opened;

private:
    static constexpr const char* Schemes[] = {"http", "https", "file", "javascript", "mailto", ""};
};

// A picture as the callbook sends it.
QByteArray Jpeg(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(70, 110, 160));
    p.setBrush(QColor(230, 200, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(width / 2, height / 3), width / 6, height / 5);
    p.setBrush(QColor(40, 60, 90));
    p.drawRect(width / 4, height * 2 / 3, width / 2, height / 3);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPEG");
    return bytes;
}

// A JPEG whose header claims another size (the frame's height and width fields).
QByteArray WithClaimedSize(QByteArray jpeg, int width, int height)
{
    for (int i = 0; i + 8 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

void FillRecord(TQRZRecord& r)
{
    r.SetCallsignRequest("K1ABC");
    r.SetCall("K1ABC");
    r.SetFirstName("Randall");
    r.SetName("Fairbanks");
    r.SetAddr1("12 Harbor Road");
    r.SetAddr2("Mystic");
    r.SetState("CT");
    r.SetZip("06355");
    r.SetCountry("United States");
    r.SetGrid("FN31");
    r.SetURL("https://k1abc.example.org/");
    r.SetSuccess(true);
}

} // namespace

class CallbookPanelTest : public ::testing::Test {
protected:
    void SetUp() override { panel.SetQRZInterface(&qrz); }

    void answer(bool found)
    {
        qrz.QRZRecord()->Clear();
        if (found) {
            FillRecord(*qrz.QRZRecord());
        } else {
            qrz.QRZRecord()->SetCallsignRequest("K1ABC");
        }
        Fire(qrz.OnInfoAvailable, found);
    }
    void picture(const QByteArray& bytes)
    {
        qrz.QRZRecord()->SetImageStream(bytes);
        Fire(qrz.OnImage, !bytes.isEmpty());
    }

    TUrlCatcher urls;
    TCallbookDouble qrz;
    TQRZInfoPanel panel;
};

TEST_F(CallbookPanelTest, LayoutOfTheCard)
{
    EXPECT_EQ(panel.size(), QSize(560, 210));
    EXPECT_EQ(panel.RCPanel1->Color(), QColor(Qt::white));
    EXPECT_EQ(panel.RCPanel1->BevelInner(), bvLowered);
    EXPECT_EQ(panel.RCPanel1->BevelOuter(), bvNone);
    EXPECT_EQ(panel.CallLabel->pos(), QPoint(8, 6));
    EXPECT_EQ(panel.CallLabel->text(), "QRZ.COM Callsign Lookup");
    EXPECT_EQ(panel.CallLabel->font().pixelSize(), 16);
    EXPECT_TRUE(panel.CallLabel->font().bold());
    EXPECT_EQ(panel.AddressLabel->geometry(), QRect(8, 27, 262, 149));
    EXPECT_TRUE(panel.AddressLabel->wordWrap());
    EXPECT_EQ(panel.QRZLinkLabel->pos(), QPoint(8, 180));
    EXPECT_EQ(panel.URLLabel->pos(), QPoint(276, 180));
    EXPECT_EQ(panel.QRZImage->geometry(), QRect(276, 8, 258, 169));
    EXPECT_EQ(panel.QRZLinkLabel->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());
    for (QLabel* label : {panel.CallLabel, panel.AddressLabel, static_cast<QLabel*>(panel.QRZLinkLabel),
                          static_cast<QLabel*>(panel.URLLabel)})
        EXPECT_EQ(label->textFormat(), Qt::PlainText);

    TQRZInfoForm form;
    form.SetQRZInterface(&qrz);
    EXPECT_EQ(form.windowTitle(), "QRZ.COM Callsign Lookup");
    EXPECT_EQ(form.size(), QSize(541, 199));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.QRZInfoPanel->QRZInterface(), &qrz);
}

TEST_F(CallbookPanelTest, AFoundCallFillsTheCardAndItsPictureFollows)
{
    answer(true);
    EXPECT_EQ(panel.CallLabel->text(), "K1ABC");
    EXPECT_EQ(panel.AddressLabel->text(),
              "Randall Fairbanks\n12 Harbor Road\nMystic\nCT 06355\nUnited States\n\nFN31 ");
    EXPECT_EQ(panel.QRZLinkLabel->text(), "https://www.qrz.com/db/K1ABC");
    EXPECT_EQ(panel.URLLabel->text(), "https://k1abc.example.org/");
    for (QLabel* label : {panel.CallLabel, static_cast<QLabel*>(panel.QRZLinkLabel), static_cast<QLabel*>(panel.URLLabel)})
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_EQ(qrz.Downloads, 1);
    EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());

    picture(Jpeg(200, 150));
    EXPECT_FALSE(panel.QRZImage->ShowsPlaceholder());
    EXPECT_EQ(panel.QRZImage->Picture().size(), QSize(200, 150));

    // A refresh shows the picture the record has, without asking again.
    Fire(qrz.OnInfoAvailable, true);
    EXPECT_EQ(qrz.Downloads, 1);
    EXPECT_FALSE(panel.QRZImage->ShowsPlaceholder());

    // A failed picture leaves the placeholder.
    Fire(qrz.OnImage, false);
    EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());
}

TEST_F(CallbookPanelTest, ACallNotFoundShowsItWithThePlaceholder)
{
    answer(true);
    picture(Jpeg(80, 60));
    answer(false);
    EXPECT_EQ(panel.CallLabel->text(), "Not found: K1ABC");
    EXPECT_EQ(panel.AddressLabel->text(), "");
    EXPECT_EQ(panel.QRZLinkLabel->text(), "");
    EXPECT_EQ(panel.URLLabel->text(), "");
    EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());
    EXPECT_EQ(qrz.Downloads, 1);
}

TEST_F(CallbookPanelTest, BadPicturesLeaveThePlaceholder)
{
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        QImage(40, 30, QImage::Format_RGB32).save(&b, "PNG");
    }
    const QByteArray jpeg = Jpeg(64, 48);
    const std::pair<const char*, QByteArray> cases[] = {
        {"PNG", png},
        {"text", QByteArray("<html>no picture here</html>")},
        {"cut JPEG", jpeg.left(jpeg.size() / 3)},
        {"20000 x 20000", WithClaimedSize(jpeg, 20000, 20000)},
        {"4001 wide", WithClaimedSize(jpeg, 4001, 48)},
    };
    answer(true);
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        picture(jpeg);
        ASSERT_FALSE(panel.QRZImage->ShowsPlaceholder());
        picture(bytes);
        EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());
    }
    EXPECT_TRUE(TQRZInfoPanel::ReadPicture(WithClaimedSize(jpeg, 20000, 20000)).isNull());
}

TEST_F(CallbookPanelTest, CallbookTextIsShownAsTyped)
{
    answer(true);
    qrz.QRZRecord()->SetAddr1("<img src=\"http://evil.example/x.png\"><b>Bold</b>");
    Fire(qrz.OnInfoAvailable, true);
    EXPECT_TRUE(panel.AddressLabel->text().contains("<img src=\"http://evil.example/x.png\"><b>Bold</b>"));
    EXPECT_EQ(panel.AddressLabel->textFormat(), Qt::PlainText);
}

TEST_F(CallbookPanelTest, LinksOpenOnlyWebAddresses)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://www.qrz.com/db/K1ABC", "https://www.qrz.com/db/K1ABC"},
        {"http://k1abc.example.org/", "http://k1abc.example.org/"},
        {" www.k1abc.example.org ", "http://www.k1abc.example.org"},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"/etc/passwd", nullptr},
        {"etc/passwd", nullptr},
        {"mailto:k1abc@example.org", nullptr},
        {"https://", nullptr},
        {"", nullptr},
    };
    for (const auto& [text, opened] : cases) {
        SCOPED_TRACE(text);
        urls.Opened.clear();
        EXPECT_EQ(OpenWebAddress(QString::fromLatin1(text)), opened != nullptr);
        EXPECT_EQ(urls.Opened, opened ? QStringList{QString::fromLatin1(opened)} : QStringList());
    }

    // A click on a label opens its text.
    answer(true);
    qrz.QRZRecord()->SetURL("file:///etc/passwd");
    Fire(qrz.OnInfoAvailable, true);
    urls.Opened.clear();
    vxtest::Click(panel.URLLabel);
    EXPECT_TRUE(urls.Opened.isEmpty());
    vxtest::Click(panel.QRZLinkLabel);
    EXPECT_EQ(urls.Opened, QStringList{"https://www.qrz.com/db/K1ABC"});
}

TEST(CallbookPanelLifetime, APanelGoneDuringADownloadHearsNothing)
{
    TCallbookDouble qrz;
    {
        TQRZInfoPanel panel;
        panel.SetQRZInterface(&qrz);
        FillRecord(*qrz.QRZRecord());
        panel.UpdateRecord();
        EXPECT_EQ(qrz.Downloads, 1);
    }
    EXPECT_FALSE(qrz.OnImage);
    EXPECT_FALSE(qrz.OnInfoAvailable);
    qrz.QRZRecord()->SetImageStream(Jpeg(10, 10));
    Fire(qrz.OnImage, true);

    // A callbook gone first leaves a panel that shows nothing more.
    auto gone = std::make_unique<TCallbookDouble>();
    TQRZInfoPanel panel;
    panel.SetQRZInterface(gone.get());
    gone.reset();
    panel.UpdateRecord();
    panel.DoImage(true);
    EXPECT_TRUE(panel.QRZImage->ShowsPlaceholder());
}

TEST_F(CallbookPanelTest, Pictures)
{
    panel.show();
    answer(true);
    picture(Jpeg(240, 169));
    SaveDialogPictures(panel, QStringLiteral("callbook-info"));
    picture({});
    Fire(qrz.OnImage, false);
    SaveDialogPictures(panel, QStringLiteral("callbook-info-placeholder"));

    TQRZInfoForm form;
    form.SetQRZInterface(&qrz);
    form.show();
    form.UpdateRecord();
    ExpectNothingClipped(form);
}

// ---- "Spot a DX" ---------------------------------------------------------------------------

class SpotDialogTest : public ::testing::Test {
protected:
    void type(const QString& text)
    {
        for (QChar ch : text)
            vxtest::Key(dlg.Edit1, ch.toUpper().unicode(), QString(ch));
    }
    TDXTelnetSendSpotDlg dlg;
};

TEST_F(SpotDialogTest, Layout)
{
    EXPECT_EQ(dlg.windowTitle(), "Spot a DX");
    EXPECT_EQ(dlg.size(), QSize(458, 36));
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(dlg.Edit1->geometry(), QRect(6, 7, 323, 21));
    EXPECT_EQ(dlg.Edit1->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(dlg.Edit1->palette().color(QPalette::Text), QColor(192, 192, 192));
    EXPECT_EQ(dlg.OKButton->geometry(), QRect(335, 8, 57, 21));
    EXPECT_EQ(dlg.CancelButton->geometry(), QRect(397, 8, 57, 21));
    EXPECT_EQ(dlg.OKButton->text(), "&Send");
    EXPECT_EQ(dlg.CancelButton->text(), "&Cancel");
    EXPECT_TRUE(dlg.OKButton->isDefault());
    for (QPushButton* b : {dlg.OKButton, dlg.CancelButton}) {
        // The caption without its "&", with a few pixels either side.
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 8, b->width());
    }
    EXPECT_GE(dlg.Edit1->height(), dlg.Edit1->fontMetrics().height() + 4);
    dlg.Edit1->setText("DX 14025.0 K1ABC ");
    dlg.Edit1->end(false);
    dlg.show();
    // No auto-select: what is typed adds to the proposal.
    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dlg.Edit1, &tab);
    EXPECT_FALSE(dlg.Edit1->hasSelectedText());
    EXPECT_EQ(dlg.Edit1->cursorPosition(), 17);
    SaveDialogPictures(dlg, QStringLiteral("spot-dialog"));
}

TEST_F(SpotDialogTest, EscapeCancelsAndEnterSends)
{
    for (const auto& [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected}, {Qt::Key_Return, QDialog::Accepted},
                                      {Qt::Key_Enter, QDialog::Accepted}}) {
        SCOPED_TRACE(key);
        dlg.Edit1->setText("DX 14025.0 K1ABC ");
        dlg.open();
        dlg.Edit1->setFocus();
        dlg.setResult(-1);
        vxtest::KeyPress(dlg.Edit1, key);
        EXPECT_EQ(dlg.result(), result);
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_TRUE(dlg.FormKeyPress(QChar(27)));
    EXPECT_FALSE(dlg.FormKeyPress(QChar('a')));
}

TEST_F(SpotDialogTest, TypingStopsAt50CharactersYetALongerProposalShowsWhole)
{
    type(QString(51, QChar('A')));
    EXPECT_EQ(dlg.Edit1->text(), QString(50, QChar('A')));

    const QString proposal = "DX 50125.0 K1ABC FN31<>JO31 " + QString(32, QChar('x'));
    ASSERT_EQ(proposal.size(), 60);
    dlg.Edit1->setText(proposal);
    EXPECT_EQ(dlg.Edit1->text(), proposal);
    dlg.Edit1->end(false);
    type("y");
    EXPECT_EQ(dlg.Edit1->text(), proposal);
    vxtest::Key(dlg.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(dlg.Edit1->text(), proposal.left(59));
    type("z");
    EXPECT_EQ(dlg.Edit1->text(), proposal.left(59));

    dlg.Edit1->setText("DX 14025.0 K1ABC ");
    dlg.Edit1->end(false);
    type("tnx");
    EXPECT_EQ(dlg.Edit1->text(), "DX 14025.0 K1ABC tnx");
}

#include "test_callbook_panel.moc"
