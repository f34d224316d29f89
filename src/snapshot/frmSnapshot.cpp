#include "snapshot/frmSnapshot.h"

#include "common/Desktop.h"
#include "common/Twips.h"
#include "snapshot/SnapshotFileName.h"
#include "snapshot/SnapshotSettings.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int buttonsWidth = 3765, buttonsHeight = 600;
constexpr int pictureTop = 10;
constexpr int twipsPerPixel = 15;

struct ButtonPlacement
{
    const char* name;
    const char* caption;
    const char* toolTip;
    int left;
    void (frmSnapshot::*click)();
};

} // namespace

frmSnapshot::frmSnapshot(SnapshotSettings& values, Desktop& desktop, const QString& previewPath,
                         QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_values(values), m_desktop(desktop), m_pctPreview(new QLabel(this)), m_fraButtons(new QFrame(this))
{
    setObjectName(QStringLiteral("frmSnapshot"));
    setWindowTitle(QStringLiteral("Snapshot preview"));
    // Closing by the close box keeps the snapshot, as Save does, and needs nothing of its own.
    setAttribute(Qt::WA_DeleteOnClose);
    m_pctPreview->setObjectName(QStringLiteral("pctPreview"));
    m_fraButtons->setObjectName(QStringLiteral("fraButtons"));
    buildButtons();
    loadPreviewAndFit(previewPath);
}

void frmSnapshot::buildButtons()
{
    static constexpr ButtonPlacement buttons[] = {
        {"cmdSave", "Save", "Save snapshot under generic file name", 120, &frmSnapshot::cmdSave_Click},
        {"cmdSaveAs", "Save As", "Save As", 1335, &frmSnapshot::cmdSaveAs_Click},
        {"cmdDiscard", "Discard", "Discard snapshot", 2550, &frmSnapshot::cmdDiscard_Click},
    };
    m_fraButtons->resize(twipsToPixels(buttonsWidth), twipsToPixels(buttonsHeight));
    for (const ButtonPlacement& placement : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(placement.caption), m_fraButtons);
        button->setObjectName(QString::fromLatin1(placement.name));
        button->setToolTip(QString::fromLatin1(placement.toolTip));
        button->setGeometry(twipsRect(placement.left, 120, 1095, 360));
        connect(button, &QPushButton::clicked, this, placement.click);
    }
}

// The picture keeps its own size; the window fits round it and the buttons, centred, below it.
// Lengths are twips; the window's size is that of its inside, so no edge of the picture hides
// under a frame whose width only the window manager knows.
void frmSnapshot::loadPreviewAndFit(const QString& previewPath)
{
    const QPixmap picture(previewPath);
    m_pctPreview->setPixmap(picture);
    const int pictureWidth = picture.width() * twipsPerPixel;
    const int pictureHeight = picture.height() * twipsPerPixel;

    const int windowHeight = 2 * buttonsHeight + pictureHeight + 200;
    const int windowWidth = std::max(pictureWidth, buttonsWidth);
    m_pctPreview->setGeometry(
        twipsRect((windowWidth - pictureWidth) / 2, pictureTop, pictureWidth, pictureHeight));
    m_fraButtons->move(twipsToPixels((windowWidth - buttonsWidth) / 2),
                       twipsToPixels(pictureHeight + buttonsHeight / 2));
    setFixedSize(twipsToPixels(windowWidth), twipsToPixels(windowHeight));
}

void frmSnapshot::cmdSave_Click()
{
    close();
}

void frmSnapshot::cmdSaveAs_Click()
{
    const QString chosen =
        m_desktop.saveFileName(this, QStringLiteral("Save snapshot as ..."), m_values.SnapshotFolder,
                               SnapshotFileName::saveAsFilter(m_values.SnapshotFormat));
    if (chosen.isEmpty())
        return;
    // QFile::rename never replaces an existing file: onto one, both stay as they were. Either way
    // SnapshotFile keeps the generated name, so a later Discard finds nothing to delete.
    QFile::rename(m_values.SnapshotFile, chosen);
}

void frmSnapshot::cmdDiscard_Click()
{
    // A snapshot already gone is no error.
    QFile::remove(m_values.SnapshotFile);
    close();
}
