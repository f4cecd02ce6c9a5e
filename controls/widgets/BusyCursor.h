#pragma once
// The application's wait cursor on behalf of one owner: shown at most once however often it
// is asked for, and taken back when the owner goes.
#include <QApplication>

class TBusyCursor {
public:
    TBusyCursor() = default;
    ~TBusyCursor() { Set(false); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    void Set(bool busy)
    {
        if (busy == FBusy)
            return;
        FBusy = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    bool Busy() const { return FBusy; }

private:
    bool FBusy = false;
};
