#pragma once
// What the message module needs of the dialogs that edit one message: the CW message editor
// and the RTTY message editor are views, which this library cannot create, so the program's
// start-up hands the module a factory that makes them.

#include <QString>
#include <memory>

// One message editor: the message, its button caption and the dialog's own caption.
class TMessageDlgLink {
public:
    virtual ~TMessageDlgLink() = default;

    virtual void SetCaption(const QString& value) = 0;
    virtual QString Message() const = 0;
    virtual void SetMessage(const QString& value) = 0;
    virtual QString MessageCaption() const = 0;
    virtual void SetMessageCaption(const QString& value) = 0;
    // Captions of the keys without a button cannot be edited.
    virtual void SetMessageCaptionEnabled(bool value) = 0;
    // Shows the dialog modally; true when it was closed with OK.
    virtual bool Execute() = 0;
};

class TMessageDlgFactory {
public:
    virtual ~TMessageDlgFactory() = default;
    // A new editor, owned by the caller; null when the program has none of that kind.
    virtual std::unique_ptr<TMessageDlgLink> CreateCWMessageDlg() = 0;
    virtual std::unique_ptr<TMessageDlgLink> CreateRTTYMessageDlg() = 0;
};
