#pragma once

#include "export/SoundExport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// The step after the save dialog: says which file is written and how its sound is made (the sound
// as heard now, without the volume), and lets the user choose the loop or the whole movie, how
// many passes of the loop, and whether the tempo rises over them as the speed trainer is set.
// Export is the default button and Esc cancels.
class frmExportOptions : public QDialog
{
    Q_OBJECT

public:
    // `draft` holds the movie, its loop and the sound heard; `trainer` is the trainer's plan.
    frmExportOptions(const SoundExport& draft, const QString& target, const TrainingPlan& trainer,
                     QWidget* parent);

    SoundExport chosen() const;

private:
    void choices_Change();

    SoundExport m_draft;
    TrainingPlan m_trainer;
    QRadioButton* m_optLoop = nullptr;
    QRadioButton* m_optWholeMovie = nullptr;
    QSpinBox* m_spnPasses = nullptr;
    QCheckBox* m_chkRaiseTempo = nullptr;
    QLabel* m_lblLength = nullptr;
};
