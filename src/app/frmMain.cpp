#include "app/frmMain.h"

#include "about/HelpMenuCommands.h"
#include "app/ButtonRows.h"
#include "app/CommandLine.h"
#include "app/CommandTable.h"
#include "app/HotKeys.h"
#include "app/MainMenuBar.h"
#include "app/MarksColumnBuilder.h"
#include "app/MenuBarBuilder.h"
#include "app/MenuBarLayout.h"
#include "app/SoundPanelBuilder.h"
#include "app/TimeAreaBuilder.h"
#include "calculators/CalculatorWindows.h"
#include "common/Desktop.h"
#include "common/Twips.h"
#include "excerpt/ExcerptCommands.h"
#include "export/ExportCommands.h"
#include "marks/MarksList.h"
#include "mpris/MprisPlayer.h"
#include "mpris/MprisRoot.h"
#include "mpris/MprisService.h"
#include "playback/FullScreenCommands.h"
#include "playback/LoopWindow.h"
#include "playback/PlayerLoopWindow.h"
#include "playback/PositionTracker.h"
#include "playback/TransportCommands.h"
#include "player/MoviePlayer.h"
#include "snapshot/SnapshotCommands.h"
#include "sound/SoundControls.h"
#include "sound/SoundViews.h"
#include "trainer/SpeedTrainerWindow.h"
#include "widgets/WindowParts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenu>
#include <QMimeData>

namespace {
constexpr int clientWidth = 10770, clientHeight = 8535;
constexpr int clientPointSize = 8;
constexpr QRect pictureArea = twipsRect(255, 975, 6225, 4635);
} // namespace

frmMain::frmMain(MoviePlayer& player, Desktop& desktop, SettingsStore& settings, QWidget* videoWidget)
    : m_player(player), m_desktop(desktop), m_settings(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Desktop::programTitle());
    // The controls stand at fixed places, so the window has no maximise button and a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setCentralWidget(buildClientArea(videoWidget));
    setAcceptDrops(true);
    createOwners();
    wireRoutes();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreOnScreen(this);
}

frmMain::~frmMain() = default;

QWidget* frmMain::buildClientArea(QWidget* videoWidget)
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    QFont font = client->font();
    font.setPointSize(clientPointSize);
    client->setFont(font);

    m_video = videoWidget;
    if (!m_video) {
        m_video = new QWidget;
        m_video->setObjectName(QStringLiteral("MoviePlayer"));
        m_video->setAutoFillBackground(true);
        m_video->setPalette(QPalette(Qt::black));
    }
    m_video->setParent(client);
    m_video->setGeometry(pictureArea);

    buildToolbarRow(client);
    m_time = buildTimeArea(client);
    m_marks = buildMarksColumn(client);
    m_sound = buildSoundPanel(client);
    buildTransportRow(client);
    return client;
}

void frmMain::createOwners()
{
    m_transport = new TransportCommands(m_player, m_state, m_time, m_desktop, this, this);
    m_soundControls = new SoundControls(m_sound, m_player, this);
    m_soundViews = new SoundViews(m_player, m_settings, this);
    m_loopWindow = new LoopWindow(m_time, this);
    m_fullScreen = new FullScreenCommands(m_player, this);
    new PositionTracker(m_player, m_state, m_time, this);
    new PlayerLoopWindow(m_player, m_state, m_time, this);
    m_marksList = new MarksList(m_marks, *m_time.lblPreviewTime, m_player, m_desktop, this);
    m_excerpts = new ExcerptCommands(
        m_player, m_state, m_time, m_sound, m_desktop, this, [marks = m_marksList] { marks->ClearMark(); },
        this);
    m_exports =
        new ExportCommands(m_player, m_time, m_sound, *m_soundViews, m_settings, m_desktop, this, this);
    m_snapshots =
        std::make_unique<SnapshotCommands>(m_player, m_snapshotSettings, m_settings, m_desktop, this);
    m_calculators =
        new CalculatorWindows(m_player, *m_sound.sldTempo, *m_sound.sldPitchSemi, m_desktop, this);
    m_trainer = new SpeedTrainerWindow(
        m_player, *m_sound.sldTempo, m_time, [transport = m_transport] { transport->PlayLoop(); }, m_settings,
        this);
    SpeedTraining* training = &m_trainer->training();
    connect(m_transport, &TransportCommands::loopLeft, training, &SpeedTraining::stop);
    connect(m_excerpts, &ExcerptCommands::loading, training, &SpeedTraining::stop);
    publishMediaPlayer();
    m_help = std::make_unique<HelpMenuCommands>(
        m_desktop, this, HelpMenuCommands::helpFolder(QCoreApplication::applicationDirPath()));
}

void frmMain::publishMediaPlayer()
{
    auto* service = new MprisService(this);
    new MprisRoot(*this, service);
    auto* player = new MprisPlayer(
        *m_transport, m_player, m_state, m_time,
        [this](const QString& path) { openFile(path, TransportCommands::AfterFailure::PlayAnyway); },
        service);
    service->publish(*player);
}

void frmMain::wireRoutes()
{
    m_routes = CommandRoutes(commandTable({*this, *m_transport, *m_loopWindow, *m_fullScreen, m_sound,
                                           *m_soundControls, *m_soundViews, *m_marksList, *m_excerpts,
                                           *m_exports, *m_snapshots, *m_calculators, *m_trainer, *m_help}));
    QStringList unmatched = m_routes.connectButtons(centralWidget());
    auto* menuBar = new MainMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    setMenuBar(menuBar);
    unmatched << buildMenuBar(menuBar, menuBarLayout(), m_routes);
    if (auto* views = menuBar->findChild<QMenu*>(QStringLiteral("mnuSoundView")))
        unmatched << m_soundViews->showIn(*views);
    else
        unmatched << QStringLiteral("mnuSoundView");
    new HotKeys(m_routes, this, menuBar, m_video); // a child of the window
    // A command that no user could reach is a mistake in the program, found at its first start.
    if (!unmatched.isEmpty())
        qFatal("Commands and controls that do not meet: %s",
               qPrintable(unmatched.join(QStringLiteral(", "))));
}

void frmMain::startUp(const QStringList& arguments)
{
    m_snapshotSettings = SnapshotSettings::load(m_settings);
    const QString commandLine = commandLineText(arguments);
    if (commandLine.isEmpty())
        return;
    // A movie that cannot be opened starts the program as if none had been named.
    openFile(moviePathFromCommandLine(commandLine), TransportCommands::AfterFailure::Stop);
}

void frmMain::openFile(const QString& path, TransportCommands::AfterFailure afterFailure)
{
    if (ExcerptCommands::isExcerptPath(path))
        m_excerpts->loadExcerpt(path);
    else
        m_transport->openMovie(path, afterFailure);
}

namespace {
// The one local file a drag carries, or nothing: several files or a web address are refused.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}
} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path, TransportCommands::AfterFailure::PlayAnyway);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    m_player.Close();
    // Qt keeps no order in which windows were loaded; the last listed are closed first.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto window = windows.crbegin(); window != windows.crend(); ++window) {
        if (*window != this && (*window)->isVisible())
            (*window)->close();
    }
    event->accept();
}
