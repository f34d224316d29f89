#include "calculators/frmKeyCalc.h"

#include "common/Twips.h"
#include "widgets/ToolWindowFrame.h"
#include "widgets/WindowParts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {
constexpr int clientWidth = 4080, clientHeight = 1980;
constexpr int semitonesInOctave = 12;

// Sharps only; a key's place in the list is its index.
const QStringList keys{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enter in a key list must not transpose by surprise.
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmKeyCalc::frmKeyCalc(QSlider& sldPitchSemi) : m_sldPitchSemi(sldPitchSemi)
{
    frameToolWindow(*this, QStringLiteral("frmKeyCalc"), QStringLiteral("Transpose calculator"), clientWidth,
                    clientHeight);

    addLabel(this, "Label1", QStringLiteral("Tonality :"), twipsRect(240, 300, 900, 255));
    m_cboInitKey =
        addKeyList("cboInitKey", "Initial", "Set initial song key", twipsRect(1200, 240, 1260, 330));
    m_cboDestKey = addKeyList("cboDestKey", "Final", "Set desired song key", twipsRect(2580, 240, 1260, 330));
    addLabel(this, "Label2", QStringLiteral("Action :"), twipsRect(240, 840, 900, 255));
    m_lblAction = addLabel(this, "lblAction", QString(), twipsRect(1200, 840, 2640, 255));

    connect(
        addButton(this, "cmdTransposeUp", QStringLiteral("Transpose up"), twipsRect(240, 1320, 1740, 420)),
        &QPushButton::clicked, this, &frmKeyCalc::cmdTransposeUp_Click);
    connect(addButton(this, "cmdTransposeDown", QStringLiteral("Transpose down"),
                      twipsRect(2100, 1320, 1740, 420)),
            &QPushButton::clicked, this, &frmKeyCalc::cmdTransposeDown_Click);
}

QComboBox* frmKeyCalc::addKeyList(const char* name, const char* placeholder, const char* toolTip,
                                  const QRect& geometry)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(keys);
    list->setPlaceholderText(QString::fromLatin1(placeholder));
    list->setCurrentIndex(-1);
    list->setToolTip(QString::fromLatin1(toolTip));
    list->setGeometry(geometry);
    // Every key at once, without scrolling.
    list->setMaxVisibleItems(static_cast<int>(keys.size()));
    connect(list, &QComboBox::currentIndexChanged, this, &frmKeyCalc::cboKey_Click);
    return list;
}

void frmKeyCalc::cboKey_Click()
{
    if (m_cboInitKey->currentIndex() >= 0 && m_cboDestKey->currentIndex() >= 0)
        CalculateKey();
}

void frmKeyCalc::CalculateKey()
{
    const int initialKey = m_cboInitKey->currentIndex();
    const int finalKey = m_cboDestKey->currentIndex();
    if (finalKey == initialKey) {
        m_up = 0;
        m_down = 0;
        m_lblAction->setText(QStringLiteral("No changes"));
        return;
    }
    m_up = finalKey > initialKey ? finalKey - initialKey : semitonesInOctave - (initialKey - finalKey);
    m_down = semitonesInOctave - m_up;
    m_lblAction->setText(QStringLiteral("%1 up or %2 down").arg(m_up).arg(m_down));
}

void frmKeyCalc::cmdTransposeUp_Click()
{
    // The interval adds to the pitch already set; one that would pass the slider's end is refused.
    const int pitch = m_sldPitchSemi.value() + m_up;
    if (pitch <= m_sldPitchSemi.maximum())
        m_sldPitchSemi.setValue(pitch);
    close();
}

void frmKeyCalc::cmdTransposeDown_Click()
{
    const int pitch = m_sldPitchSemi.value() - m_down;
    if (pitch >= m_sldPitchSemi.minimum())
        m_sldPitchSemi.setValue(pitch);
    close();
}
