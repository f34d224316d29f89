#pragma once

#include <QWidget>

class Desktop;
class QButtonGroup;
class QLabel;
class SettingsStore;
struct SnapshotSettings;

// "Snapshot location and format": the folder that receives snapshots and their image format.
// A format chosen here holds at once for the program's run; Done stores it. A folder chosen by
// Change is stored at once. Not modal; it deletes itself when closed.
class frmOptions : public QWidget
{
    Q_OBJECT

public:
    frmOptions(SnapshotSettings& values, SettingsStore& settings, Desktop& desktop,
               QWidget* parent = nullptr);

private slots:
    void optImageFormat_Click(int index);
    void cmdBrowseGrabOutput_Click();
    void cmdDone_Click();

private:
    void buildFolderRow();
    void buildFormatRow();

    SnapshotSettings& m_values;
    SettingsStore& m_settings;
    Desktop& m_desktop;
    QLabel* m_lblSnapshotFolder = nullptr;
    QButtonGroup* m_optImageFormat = nullptr;
};
