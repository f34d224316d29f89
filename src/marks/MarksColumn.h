#pragma once

class QLabel;
class QListWidget;
class QToolButton;

// The marks list right of the picture with its caption and buttons. Only the add button shows
// at start; the rest appear once there are marks.
struct MarksColumn
{
    QLabel* lblMark = nullptr;
    QListWidget* lstMark = nullptr;
    QToolButton* cmdAddMark = nullptr;
    QToolButton* cmdDeleteMark = nullptr;
    QToolButton* cmdClearMark = nullptr;
};
