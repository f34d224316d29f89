#include "about/frmAbout.h"

#include "about/GetKeyValue.h"
#include "about/PathSystemInfoLookup.h"
#include "about/ProgramVersion.h"
#include "common/Desktop.h"
#include "common/Twips.h"
#include "widgets/PictureButton.h"
#include "widgets/WindowParts.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int clientWidth = 5730, clientHeight = 1710;
constexpr int margin = 120;
constexpr qreal labelPointSize = 9.75;

QLabel* addBoldLabel(QWidget* parent, const char* name, const QString& text, QRect place)
{
    QLabel* label = addLabel(parent, name, text, place);
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
    setWindowIcon(buttonIcon("about"));
    // A small fixed window: no minimise, maximise or context-help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    placeControls();
    centreOnScreen(this);

    // OK is the default button, so Enter presses it; Esc closes the dialog as Cancel would.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

// The buttons stand at the right, as wide as the wider caption needs in the desktop's font; the
// labels take the rest of the width.
void frmAbout::placeControls()
{
    cmdOK = addButton(this, "cmdOK", QStringLiteral("OK"), twipsRect(0, 120, 0, 375));
    cmdSysInfo = addButton(this, "cmdSysInfo", QStringLiteral("&System Info..."), twipsRect(0, 600, 0, 375));
    const int buttonWidth =
        std::max({twipsToPixels(1215), cmdOK->sizeHint().width(), cmdSysInfo->sizeHint().width()});
    const int buttonLeft = twipsToPixels(clientWidth - margin) - buttonWidth;
    for (QPushButton* button : {cmdOK, cmdSysInfo})
        button->setGeometry(buttonLeft, button->y(), buttonWidth, button->height());

    const int textLeft = twipsToPixels(margin);
    const int textWidth = buttonLeft - 2 * textLeft;
    const auto textRow = [&](int top, int height) {
        return QRect(textLeft, twipsToPixels(top), textWidth, twipsToPixels(height));
    };
    lblTitle = addBoldLabel(this, "lblTitle", Desktop::programTitle(), textRow(120, 285));
    lblVersion = addBoldLabel(this, "lblVersion", ProgramVersion::current().versionText(), textRow(450, 285));
    lblNotice = addBoldLabel(this, "lblNotice",
                             QStringLiteral("For musicians who practise along with a film: any tempo, "
                                            "any key, any passage, again and again."),
                             textRow(780, clientHeight - 780 - margin));
    lblNotice->setWordWrap(true);
    lblNotice->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

// The program is started without waiting for it; when it cannot be found or started the user
// is told, and the about window stays open.
void frmAbout::StartSysInfo()
{
    const std::optional<QString> program =
        GetKeyValue(m_systemInfo, QLatin1String(PathSystemInfoLookup::programKey),
                    QLatin1String(PathSystemInfoLookup::programValue));
    if (program && m_desktop.startProgram(*program, {}))
        return;
    m_desktop.showMessage(this, unavailableMessage(), Desktop::MessageIcon::None);
}
