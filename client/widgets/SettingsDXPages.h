#pragma once
// The settings pages under "DX Cluster": the telnet node with its login commands and the
// console's command buttons, the cluster tab's band and continent filter, the spot lifetimes,
// the two wanted lists, the band map timing and the band plan; and the node picker that fills
// the node from the shipped list of cluster nodes.

#include "controls/widgets/DPIForm.h"
#include "controls/widgets/settings/SettingsFrames.h"

#include <QLineEdit>
#include <array>

class QTableWidget;
class TWantedDXCCStringGrid;
class TWantedSpotsStringGrid;

// "Select DX Cluster": the nodes of the node list file, one per row.
class TSettingsDXClusterSelectForm : public TDPIForm {
    Q_OBJECT
public:
    static inline const QString FileName = QStringLiteral("telnetclusters.dat");

    // Reads the node list at `path` (the shipped list in the data folder when empty).
    explicit TSettingsDXClusterSelectForm(QWidget* owner = nullptr, const QString& path = QString());
    QTableWidget* DXCGrid;
    QLabel* Label1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // Name, URL, port and type of the selected row; empty when none.
    QStringList SelectedNode() const;

private:
    void Load(const QString& path);
};

class TSettingsDXClusterFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsDXClusterFrame(QWidget* parent = nullptr);
    QLineEdit* DXClusterNameEdit;
    QLineEdit* DXClusterHostEdit;
    QLineEdit* DXClusterPortEdit;
    QLineEdit* DXClusterCallEdit;
    QLineEdit* DXClusterPasswordEdit;
    QPushButton* DXClustersButton;
    QCheckBox* DXClusterCheckBox;
    QPlainTextEdit* CommandsMemo;
    QLineEdit* Command1Edit;
    QLineEdit* Command2Edit;
    QLineEdit* Command3Edit;

    // The memo's lines, trimmed, without empty ones.
    QStringList Commands() const;
    // Opens the node picker; a node taken fills name, address and port and raises OnPicked.
    void DXClustersButtonClick();
    // Takes a picked node (name, URL, port …); an empty name takes nothing.
    bool TakeNode(const QStringList& node);
    std::function<void()> OnPicked;
};

// "DX Cluster Options".  "All Bands" checks every band; unchecking a band unchecks "All Bands".
class TSettingsFilterFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsFilterFrame(QWidget* parent = nullptr);
    // CheckBox1 is "All Bands", CheckBox2 … CheckBox12 the bands 160m … 6m.
    std::array<QCheckBox*, 12> CheckBoxes;
    TRadioGroup* FilterSpotsRadioGroup;
    QSpinBox* MaxTelnetSpotsEdit;
    QCheckBox* NewestSpotsFirstCB;
};

class TSettingsDXSpotsFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsDXSpotsFrame(QWidget* parent = nullptr);
    QSpinBox* DXSpotsLifetimeEdit;
    QCheckBox* CheckBoxLogSearch;
};

class TSettingsWantedDXCCFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsWantedDXCCFrame(QWidget* parent = nullptr);
    TWantedDXCCStringGrid* WantedDXCCStringGrid;
    QLabel* Label1;
};

class TSettingsWantedSpotsFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsWantedSpotsFrame(QWidget* parent = nullptr);
    TWantedSpotsStringGrid* WantedSpotsStringGrid;
    QPushButton* AddRowsButton;
    QPushButton* DeleteRowButton;
    QPushButton* ClearListButton;
};

class TSettingsBandmapFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsBandmapFrame(QWidget* parent = nullptr);
    QSpinBox* LifetimeEdit;
    QSpinBox* RefreshTimeEdit;
};

// An edge of the band plan: digits only, shown with separating dots in a fixed pattern
// ("9.999" shows 7000 as "7.000"); Digits() hands the digits on.
class TBandplanEdit : public QLineEdit {
    Q_OBJECT
public:
    // `pattern` of '9' digit places and '.' separators; empty: no pattern, any text.
    TBandplanEdit(const QString& pattern, QWidget* parent = nullptr);
    QString Digits() const;
    void SetDigits(const QString& digits);
    // The digits set into the pattern from the right.
    static QString Format(const QString& pattern, const QString& digits);

private:
    QString FPattern;
};

// "Band Plan": BP<row><column>, rows 1 … 11 the bands 160m … 6m, columns 1 … 6 the lower and
// upper edges of CW, phone and digital.
class TSettingsBandplanFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static constexpr int Rows = 11;
    static constexpr int Columns = 6;
    explicit TSettingsBandplanFrame(QWidget* parent = nullptr);
    // BP(row, column) with both counted from 1, as in the names.
    TBandplanEdit* BP(int row, int column) const { return FEdits[size_t(row - 1)][size_t(column - 1)]; }

private:
    std::array<std::array<TBandplanEdit*, Columns>, Rows> FEdits{};
};
