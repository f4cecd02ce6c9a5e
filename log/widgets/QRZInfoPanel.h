#pragma once
// TQRZInfoPanel: one callbook answer on a white card: the station's picture, its call, the
// address block, the link to the call's page on the callbook's web site and the station's own
// web address.  TQRZInfoForm is the small tool window that holds one.
//
// Texts from the callbook are shown as plain text, and a click on a link opens only a web
// address (http or https): an answer can never open a file or run a script.  A record's
// picture is asked for once; data that is no JPEG image, or one larger than 4000 by 4000
// pixels, leaves the placeholder picture ("QRZ" in the art registry).

#include "controls/widgets/DPIForm.h"
#include "log/QRZInterface.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QWidget>

class TRCPanel;

// Registers the callbook's pictures.
void RegisterCallbookArt();

// Opens a web address in the browser: http and https addresses, and "www." names without a
// scheme; anything else opens nothing.  True when it was handed on.
bool OpenWebAddress(const QString& text);

// A label that acts as a link: hand cursor, and a click opens its text as a web address.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The picture, scaled into the box with its proportions kept.
class TQRZImage : public QWidget {
    Q_OBJECT
public:
    explicit TQRZImage(QWidget* parent = nullptr);
    // A null image shows the placeholder.
    void SetPicture(const QImage& image);
    const QImage& Picture() const { return FPicture; }
    bool ShowsPlaceholder() const { return FPicture.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
};

class TQRZInfoPanel : public QWidget {
    Q_OBJECT
public:
    // The callbook's page of a call is this address followed by the call.
    static constexpr const char* CallPageAddress = "https://www.qrz.com/db/";
    static constexpr int MaxPictureSide = 4000;

    explicit TQRZInfoPanel(QWidget* parent = nullptr);
    ~TQRZInfoPanel() override;

    TQRZInterface* QRZInterface() const { return FQRZInterface; }
    // Becomes the only receiver of the callbook's OnInfoAvailable and OnImage.
    void SetQRZInterface(TQRZInterface* v);

    void ClearRecord();
    // Shows the callbook's current record.
    void UpdateRecord();
    // The callbook's OnImage: the record's picture, or the placeholder.
    void DoImage(bool success);

    // The picture of JPEG data; null when it is none or too large.
    static QImage ReadPicture(const QByteArray& data);

    TRCPanel* RCPanel1 = nullptr;
    QLabel* CallLabel = nullptr;
    QLabel* AddressLabel = nullptr;
    TLinkLabel* QRZLinkLabel = nullptr;
    TLinkLabel* URLLabel = nullptr;
    TQRZImage* QRZImage = nullptr;

private:
    void CreateWnd();
    static void SetAutoSizeText(QLabel* label, const QString& text);

    QPointer<TQRZInterface> FQRZInterface;
};

class TQRZInfoForm : public TDPIForm {
    Q_OBJECT
public:
    explicit TQRZInfoForm(QWidget* owner = nullptr);

    TQRZInterface* QRZInterface() const { return FQRZInterface; }
    void SetQRZInterface(TQRZInterface* v);
    void ClearRecord();
    void UpdateRecord();

    TQRZInfoPanel* QRZInfoPanel = nullptr;

private:
    QPointer<TQRZInterface> FQRZInterface;
};
