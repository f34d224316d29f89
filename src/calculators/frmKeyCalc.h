#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QSlider;

// How many semitones lie between a song's key and the key it is wanted in, going up and going
// down, and either interval added to the semitone pitch slider. The intervals live as long as
// the window; a new window starts with nothing chosen and both at 0.
class frmKeyCalc : public QDialog
{
    Q_OBJECT

public:
    explicit frmKeyCalc(QSlider& sldPitchSemi);

private slots:
    void cboKey_Click();
    void cmdTransposeUp_Click();
    void cmdTransposeDown_Click();

private:
    QComboBox* addKeyList(const char* name, const char* placeholder, const char* toolTip,
                          const QRect& geometry);
    void CalculateKey();

    QSlider& m_sldPitchSemi;
    QComboBox* m_cboInitKey = nullptr;
    QComboBox* m_cboDestKey = nullptr;
    QLabel* m_lblAction = nullptr;
    int m_up = 0;
    int m_down = 0;
};
