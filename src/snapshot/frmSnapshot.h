#pragma once

#include <QWidget>

class Desktop;
class QFrame;
class QLabel;
struct SnapshotSettings;

// The snapshot preview "Snapshot preview": shows the preview picture and lets the user keep the
// snapshot (Save, or the close box), move it to a name of their choice (Save As) or delete it
// (Discard). The buttons act on the snapshot taken last, SnapshotSettings::SnapshotFile.
// Not modal; it deletes itself when closed.
class frmSnapshot : public QWidget
{
    Q_OBJECT

public:
    frmSnapshot(SnapshotSettings& values, Desktop& desktop, const QString& previewPath,
                QWidget* parent = nullptr);

private slots:
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdDiscard_Click();

private:
    void buildButtons();
    void loadPreviewAndFit(const QString& previewPath);

    SnapshotSettings& m_values;
    Desktop& m_desktop;
    QLabel* m_pctPreview;
    QFrame* m_fraButtons;
};
