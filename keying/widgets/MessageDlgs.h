#pragma once
// Makes the message editors for the message module, owned by the application's main window
// (centred on it while it exists).

#include "keying/MessageDlgLink.h"

#include <QPointer>
#include <QWidget>

class TMessageDlgs : public TMessageDlgFactory {
public:
    explicit TMessageDlgs(QWidget* owner = nullptr)
        : FOwner(owner)
    {
    }
    void SetOwner(QWidget* value) { FOwner = value; }

    std::unique_ptr<TMessageDlgLink> CreateCWMessageDlg() override;
    std::unique_ptr<TMessageDlgLink> CreateRTTYMessageDlg() override;

private:
    QPointer<QWidget> FOwner;
};
