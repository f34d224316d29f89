#pragma once

#include "marks/MarksColumn.h"

#include <QObject>

class Desktop;
class MoviePlayer;
class QLabel;
class QListWidgetItem;

// The marks column: lstMark holds one line per mark, the shown time as H:MM:SS, in the order
// the marks were added. The commands add, remove and clear lines and jump between them; a click
// on a line jumps to it. Jumps only move the playback position: they neither start nor halt
// playback, nor select a line.
class MarksList : public QObject
{
    Q_OBJECT

public:
    // The column is expected in its start state: empty, and all but cmdAddMark hidden.
    // Follows clicks on lstMark's lines from here on.
    MarksList(const MarksColumn& column, const QLabel& lblPreviewTime, MoviePlayer& player, Desktop& desktop,
              QObject* parent = nullptr);

    // Marks the time lblPreviewTime shows; nothing while no movie is open.
    void AddMark();
    // Removes the selected line, or says that none is selected.
    void DeleteMark();
    // Empties the list and hides the column but for cmdAddMark. Loading an excerpt also calls it.
    void ClearMark();

    void NextMark();
    void PreviousMark();
    void GoToSameMark();

private slots:
    void lstMark_Click(QListWidgetItem* line);

private:
    void seekToLine(int index);

    MarksColumn m_column;
    const QLabel& m_lblPreviewTime;
    MoviePlayer& m_player;
    Desktop& m_desktop;
    // The line the three jump commands last went to. Adding and removing lines leave it alone,
    // so it may point past the last line.
    int m_CurrentMark = 0;
};
