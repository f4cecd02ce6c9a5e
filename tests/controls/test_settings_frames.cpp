// The rules the shared settings pages keep themselves: the PTT controls follow the port, the
// MMTTY start options exclude each other (also while filled), the DVK use box empties its
// port, the codec group enables bits and channels, and the WinKey page reports changes.
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/settings/SettingsFrames.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

TEST(SettingsFrames, PTTControlsFollowThePort)
{
    TSettingsPTTFrame page;
    EXPECT_FALSE(page.RTSComboBox->isEnabled()); // no port at first
    page.ComPortComboBox->SetCOMPort("/dev/ttyUSB1");
    EXPECT_TRUE(page.RTSComboBox->isEnabled());
    EXPECT_TRUE(page.DTRComboBox->isEnabled());
    EXPECT_TRUE(page.TimeoutEdit->isEnabled());
    page.ComPortComboBox->SetCOMPort("");
    EXPECT_FALSE(page.DTRComboBox->isEnabled());
    EXPECT_FALSE(page.TimeoutEdit->isEnabled());
    EXPECT_EQ(page.TimeoutEdit->value(), 300);
    EXPECT_EQ(page.RTSComboBox->itemText(2), "PTT");
}

TEST(SettingsFrames, MMTTYStartOptionsExcludeEachOther)
{
    TSettingsMMTTYFrame page;
    // Filled in the stored order: hidden, then the control menu; the menu wins.
    page.MMTTYHiddenCheckBox->setChecked(true);
    page.MMTTYMenuCheckBox->setChecked(true);
    EXPECT_FALSE(page.MMTTYHiddenCheckBox->isChecked());
    EXPECT_TRUE(page.MMTTYMenuCheckBox->isChecked());

    page.MMTTYStayOnTopCheckBox->click();
    page.MMTTYHiddenCheckBox->click();
    EXPECT_TRUE(page.MMTTYHiddenCheckBox->isChecked());
    EXPECT_FALSE(page.MMTTYMenuCheckBox->isChecked());
    EXPECT_FALSE(page.MMTTYStayOnTopCheckBox->isChecked());
    // Unchecking changes nothing else.
    page.MMTTYHiddenCheckBox->click();
    EXPECT_FALSE(page.MMTTYButtonsCheckBox->isChecked());
    EXPECT_EQ(page.IntervalEdit->value(), 500);
}

TEST(SettingsFrames, UncheckingTheDVKEmptiesItsPort)
{
    TSettingsDVKFrame page;
    page.UseDVKCheckBox->setChecked(false);
    page.ComPortComboBox->SetCOMPort("/dev/ttyUSB2");
    // Filling runs no rule: the stored port shows until the box is clicked.
    EXPECT_TRUE(page.ComPortComboBox->isEnabled());
    page.UseDVKCheckBox->click();
    EXPECT_TRUE(page.ComPortComboBox->isEnabled());
    EXPECT_EQ(page.ComPortComboBox->COMPort(), "/dev/ttyUSB2");
    page.UseDVKCheckBox->click();
    EXPECT_FALSE(page.ComPortComboBox->isEnabled());
    EXPECT_EQ(page.ComPortComboBox->COMPort(), "");

    page.PlayMessagesCheckBox->click();
    EXPECT_TRUE(page.TestButton->isEnabled());
    page.PlayMessagesCheckBox->click();
    EXPECT_FALSE(page.PlayMessagesFolderEdit->isEnabled());
}

TEST(SettingsFrames, CodecGroupEnablesBitsAndChannels)
{
    TSettingsAudioServerCodecsFrame page;
    int changes = 0;
    page.OnCodecChange = [&] { ++changes; };
    page.CodecRadioGroup->Button(1)->click(); // GSM
    EXPECT_FALSE(page.BPSRadioGroup->isEnabled());
    EXPECT_FALSE(page.ChannelsRadioGroup->isEnabled());
    page.CodecRadioGroup->Button(0)->click(); // PCM
    EXPECT_TRUE(page.BPSRadioGroup->isEnabled());
    page.SampleRateRadioGroup->Button(2)->click();
    page.ChannelsRadioGroup->Button(1)->click();
    EXPECT_EQ(changes, 4);
    // Setting an item is no click.
    page.BPSRadioGroup->SetItemIndex(1);
    page.BPSRadioGroup->SetItemIndex(-1);
    EXPECT_EQ(page.BPSRadioGroup->ItemIndex(), -1);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(page.SampleRateRadioGroup->Button(1)->text(), "11 kHz");
}

TEST(SettingsFrames, PortEditsTakeDigitsOnlyAndMemosUpperCase)
{
    TSettingsServerFrame server;
    EXPECT_EQ(server.PortEdit->text(), "0");
    server.PortEdit->clear();
    server.PortEdit->insert("7a3"); // the validator refuses it whole
    EXPECT_EQ(server.PortEdit->text(), "");
    server.PortEdit->insert("7300");
    EXPECT_EQ(server.PortEdit->text(), "7300");

    TSettingsUsersFrame users;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
    QApplication::sendEvent(users.UsersMemo, &press);
    EXPECT_EQ(users.UsersMemo->toPlainText(), "D");
    EXPECT_EQ(users.PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(users.PasswordEdit->maxLength(), 16);
}

TEST(SettingsFrames, EveryKeyerControlReportsItsChange)
{
    TSettingsCWFrame page;
    int changes = 0;
    page.OnWinKeyChanged = [&] { ++changes; };
    page.COMPortComboBox->SetCOMPort("/dev/ttyUSB3");
    page.KeyerModeComboBox->setCurrentIndex(3);
    page.MaxWPMEdit->setValue(50);
    page.MinWPMEdit->setValue(12);
    page.SwapPaddlesCheckBox->click();
    page.AutoSpaceCheckBox->click();
    page.ContestSpaceCheckBox->click();
    page.SynchronizeRadioGroup->Button(2)->click();
    EXPECT_EQ(changes, 8);
    EXPECT_EQ(page.KeyerControls().size(), 8);
    EXPECT_EQ(page.TitlePanel->Caption().trimmed(), "K1EL WinKey");
}
