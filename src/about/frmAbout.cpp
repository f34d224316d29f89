#include "about/frmAbout.h"

#include "about/GetKeyValue.h"
#include "about/PathSystemInfoLookup.h"
#include "about/ProgramVersion.h"
#include "common/Desktop.h"
#include "common/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int clientWidth = 5730, clientHeight = 1710;
constexpr qreal labelPointSize = 9.75;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(labelPointSize);
    label->setFont(font);
    return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    return button;
}
} // namespace

frmAbout::frmAbout(Desktop& desktop, const KeyValueLookup& systemInfo, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_systemInfo(systemInfo)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + Desktop::programTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/about.svg")));
    // A small fixed window: no minimise, maximise or context-help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    placeControls();
    centreOnScreen();

    // OK is the default button, so Enter presses it; Esc closes the dialog as Cancel would.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::placeControls()
{
    lblTitle = addLabel(this, "lblTitle", Desktop::programTitle(), twipsRect(120, 120, 4200, 285));
    lblVersion =
        addLabel(this, "lblVersion", ProgramVersion::current().versionText(), twipsRect(120, 450, 4200, 285));
    lblNotice = addLabel(this, "lblNotice",
                         QStringLiteral("For musicians who practise along with a film: any tempo, "
                                        "any key, any passage, again and again."),
                         twipsRect(120, 840, 4200, 750));
    lblNotice->setWordWrap(true);
    lblNotice->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    cmdOK = addButton(this, "cmdOK", QStringLiteral("OK"), twipsRect(4440, 120, 1170, 375));
    cmdSysInfo =
        addButton(this, "cmdSysInfo", QStringLiteral("&System Info..."), twipsRect(4440, 600, 1170, 375));
}

void frmAbout::centreOnScreen()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// The program is started without waiting for it; when it cannot be found or started the user
// is told, and the about window stays open.
void frmAbout::StartSysInfo()
{
    QString program;
    if (GetKeyValue(m_systemInfo, QLatin1String(PathSystemInfoLookup::programKey),
                    QLatin1String(PathSystemInfoLookup::programValue), program) &&
        m_desktop.startProgram(program, {}))
        return;
    m_desktop.showMessage(this, unavailableMessage(), Desktop::MessageIcon::None);
}
