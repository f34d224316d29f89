#include "marks/MarksList.h"

#include "common/Desktop.h"
#include "player/MoviePlayer.h"

#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {
// H:MM:SS, the first seven characters of the time text.
constexpr qsizetype markLength = 7;

// A line H:MM:SS in whole seconds. The mark holds one digit of hours, so positions from ten
// hours on do not fit it; a line that does not read as digits counts as 0 there.
double MarkTime(const QString& line)
{
    const int hours = line.left(1).toInt();
    const int minutes = line.mid(2, 2).toInt();
    const int seconds = line.right(2).toInt();
    return hours * 3600 + minutes * 60 + seconds;
}
} // namespace

MarksList::MarksList(const MarksColumn& column, const QLabel& lblPreviewTime, MoviePlayer& player,
                     Desktop& desktop, QObject* parent)
    : QObject(parent), m_column(column), m_lblPreviewTime(lblPreviewTime), m_player(player),
      m_desktop(desktop)
{
    // Only a click on a line jumps; moving the selection with the keys just picks the line that
    // Remove takes away.
    connect(m_column.lstMark, &QListWidget::itemClicked, this, &MarksList::lstMark_Click);
}

void MarksList::AddMark()
{
    if (!(m_player.Duration() > 0))
        return;
    m_column.lblMark->show();
    m_column.lstMark->show();
    m_column.cmdDeleteMark->show();
    m_column.cmdClearMark->show();
    // The time last written to the label, by a position report or by Stop; not a fresh reading.
    m_column.lstMark->addItem(m_lblPreviewTime.text().left(markLength));
}

void MarksList::DeleteMark()
{
    const QList<QListWidgetItem*> selected = m_column.lstMark->selectedItems();
    if (selected.isEmpty()) {
        m_desktop.showMessage(m_column.lstMark->window(), QStringLiteral("No item selected."),
                              Desktop::MessageIcon::Information);
        return;
    }
    delete selected.first();
    // Qt would select the neighbouring line; a second Remove should not silently take that one.
    m_column.lstMark->clearSelection();
}

void MarksList::ClearMark()
{
    m_column.lstMark->clear();
    m_column.lblMark->hide();
    m_column.lstMark->hide();
    m_column.cmdDeleteMark->hide();
    m_column.cmdClearMark->hide();
}

void MarksList::NextMark()
{
    const int count = m_column.lstMark->count();
    if (count == 0)
        return;
    ++m_CurrentMark;
    if (m_CurrentMark > count - 1)
        m_CurrentMark = 0;
    seekToLine(m_CurrentMark);
}

void MarksList::PreviousMark()
{
    const int count = m_column.lstMark->count();
    if (count == 0)
        return;
    // Past the end after removals it stands just after the last line, so previous goes there.
    if (m_CurrentMark > count)
        m_CurrentMark = count;
    --m_CurrentMark;
    if (m_CurrentMark < 0)
        m_CurrentMark = count - 1;
    seekToLine(m_CurrentMark);
}

void MarksList::GoToSameMark()
{
    const int count = m_column.lstMark->count();
    if (count == 0)
        return;
    // Past the end after removals, the nearest line that is left is the last one.
    if (m_CurrentMark > count - 1)
        m_CurrentMark = count - 1;
    seekToLine(m_CurrentMark);
}

void MarksList::lstMark_Click(QListWidgetItem* line)
{
    m_player.Seek(MarkTime(line->text()));
}

void MarksList::seekToLine(int index)
{
    m_player.Seek(MarkTime(m_column.lstMark->item(index)->text()));
}
