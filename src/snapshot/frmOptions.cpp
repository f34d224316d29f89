#include "snapshot/frmOptions.h"

#include "common/Desktop.h"
#include "common/SettingsStore.h"
#include "common/Twips.h"
#include "snapshot/SnapshotSettings.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int clientWidth = 6930, clientHeight = 2955;
const QString toolTipOfButtons = QStringLiteral("Change output location for grabbed tracks");

struct FormatOption
{
    const char* caption;
    int left;
};

// Indexed by image format code.
constexpr FormatOption formatOptions[] = {
    {"BMP", 225}, {"JPEG", 1575}, {"PNG", 2925}, {"TIF", 4260}, {"GIF", 5595},
};

template <typename Control> Control* place(Control* control, const char* name, const QRect& twips)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twips);
    return control;
}

} // namespace

frmOptions::frmOptions(SnapshotSettings& values, SettingsStore& settings, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_values(values), m_settings(settings), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Snapshot location and format"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    buildFolderRow();
    buildFormatRow();

    auto* done =
        place(new QPushButton(QStringLiteral("Done"), this), "cmdDone", twipsRect(5640, 2310, 1065, 435));
    done->setToolTip(toolTipOfButtons);
    connect(done, &QPushButton::clicked, this, &frmOptions::cmdDone_Click);
}

void frmOptions::buildFolderRow()
{
    place(new QLabel(QStringLiteral("Snapshot Location Folder :"), this), "lblGrabFolderCaption",
          twipsRect(225, 240, 3000, 255));
    auto* frame = place(new QFrame(this), "fraGrabFolder", twipsRect(225, 555, 5295, 465));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_lblSnapshotFolder = place(new QLabel(m_values.SnapshotFolder, frame), "lblSnapshotFolder",
                                twipsRect(105, 105, 5085, 255));

    auto* change = place(new QPushButton(QStringLiteral("Change"), this), "cmdBrowseGrabOutput",
                         twipsRect(5640, 570, 1065, 435));
    change->setToolTip(toolTipOfButtons);
    connect(change, &QPushButton::clicked, this, &frmOptions::cmdBrowseGrabOutput_Click);
}

void frmOptions::buildFormatRow()
{
    place(new QLabel(QStringLiteral("Snapshot Image Format :"), this), "Label1",
          twipsRect(225, 1395, 3000, 255));
    m_optImageFormat = new QButtonGroup(this);
    int index = 0;
    for (const FormatOption& option : formatOptions) {
        const QByteArray name = "optImageFormat_" + QByteArray::number(index);
        auto* button = place(new QRadioButton(QString::fromLatin1(option.caption), this), name.constData(),
                             twipsRect(option.left, 1755, 1110, 240));
        m_optImageFormat->addButton(button, index);
        button->setChecked(index == m_values.SnapshotFormat);
        ++index;
    }
    // Connected after the start selection, which is already the format in use. Toggled also
    // follows a choice made with the arrow keys.
    connect(m_optImageFormat, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optImageFormat_Click(id);
    });
}

void frmOptions::optImageFormat_Click(int index)
{
    m_values.SnapshotFormat = static_cast<qint16>(index);
}

void frmOptions::cmdBrowseGrabOutput_Click()
{
    QString start = m_lblSnapshotFolder->text();
    if (start.endsWith(QLatin1Char('/')))
        start.chop(1);
    // The browser keeps the title it has always had, although it now picks the snapshot folder.
    const QString chosen =
        m_desktop.browseForFolder(this, QStringLiteral("Add folder with audio files to playlist"), start);
    if (chosen.isEmpty())
        return;
    // The root folder already ends with the separator.
    m_values.SnapshotFolder = chosen.endsWith(QLatin1Char('/')) ? chosen : chosen + QLatin1Char('/');
    m_lblSnapshotFolder->setText(m_values.SnapshotFolder);
    m_settings.setText(QStringLiteral("SnapshotFolder"), m_values.SnapshotFolder);
}

void frmOptions::cmdDone_Click()
{
    m_settings.setText(QStringLiteral("SnapshotFormat"), QString::number(m_values.SnapshotFormat));
    close();
}
