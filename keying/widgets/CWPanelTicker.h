#pragma once
// The echo ticker of the CW panel: the last characters keyed, in light blue on black,
// right-aligned by dropping characters at the left.  A pause of two whole seconds or more
// before a character puts a space in front of it, so words keyed apart stay apart.

#include <QString>
#include <QWidget>

class TCWPanelTicker : public QWidget {
    Q_OBJECT
public:
    explicit TCWPanelTicker(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void AddCharacter(QChar CharRX);
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FCaption;
    // Monotonic time of the last character (of the creation at first).
    qint64 FLastChar;
};
