#include "fakes/MainWindowRig.h"

#include <QMenu>
#include <QTest>

// The sound views of the Tools menu on the recording player: which view each entry hands to the
// player, the view kept for the next run, and the entries a one-channel movie turns off.
namespace {
QStringList entriesOf(QMenu& views, bool (QAction::*is)() const)
{
    emit views.aboutToShow();
    QStringList names;
    for (const QAction* entry : views.actions()) {
        if (!entry->isSeparator() && (entry->*is)())
            names << entry->objectName();
    }
    return names;
}
} // namespace

class SoundViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void eachEntryChoosesItsView_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<SoundView>("view");
        QTest::newRow("both channels") << "mnuViewBothChannels" << SoundView::BothChannels;
        QTest::newRow("left only") << "mnuViewLeftOnly" << SoundView::LeftOnly;
        QTest::newRow("right only") << "mnuViewRightOnly" << SoundView::RightOnly;
        QTest::newRow("mono") << "mnuViewMono" << SoundView::Mono;
        QTest::newRow("without the centre") << "mnuViewWithoutCentre" << SoundView::WithoutCentre;
        QTest::newRow("bass only") << "mnuViewBassOnly" << SoundView::BassOnly;
        QTest::newRow("without the bass") << "mnuViewWithoutBass" << SoundView::WithoutBass;
    }
    // The view reaches the player, and the next run starts with it, ticked.
    void eachEntryChoosesItsView()
    {
        QFETCH(QString, entry);
        QFETCH(SoundView, view);
        MainWindowRig rig;
        rig.run(entry == "mnuViewBothChannels" ? "mnuViewMono" : "mnuViewBothChannels");
        QVERIFY(rig.run(entry));
        QCOMPARE(rig.player.soundView, view);

        FakeMoviePlayer player;
        player.soundView = SoundView::Mono == view ? SoundView::BassOnly : SoundView::Mono;
        FakeDesktop desktop;
        frmMain nextRun(player, desktop, rig.settings);
        QCOMPARE(player.soundView, view);
        QCOMPARE(entriesOf(*nextRun.findChild<QMenu*>("mnuSoundView"), &QAction::isChecked),
                 QStringList{entry});
    }

    void oneChannelMoviesTurnOffTheTwoChannelViews_data()
    {
        QTest::addColumn<bool>("movieOpen");
        QTest::addColumn<bool>("twoChannels");
        QTest::addColumn<QStringList>("turnedOff");
        const QStringList none;
        QTest::newRow("no movie") << false << false << none;
        QTest::newRow("a stereo movie") << true << true << none;
        QTest::newRow("a mono movie") << true << false
                                      << QStringList{"mnuViewLeftOnly", "mnuViewRightOnly", "mnuViewMono",
                                                     "mnuViewWithoutCentre", "mnuViewOneChannel"};
    }
    // The note that says why shows only while such a movie is open; it is never enabled.
    void oneChannelMoviesTurnOffTheTwoChannelViews()
    {
        QFETCH(bool, movieOpen);
        QFETCH(bool, twoChannels);
        QFETCH(QStringList, turnedOff);
        MainWindowRig rig;
        rig.player.movies.insert("/movies/film.mp4", 100.0);
        rig.player.twoSoundChannels = twoChannels;
        if (movieOpen)
            rig.window.startUp({"reelquill", "/movies/film.mp4"});
        QMenu& views = *rig.window.findChild<QMenu*>("mnuSoundView");
        QStringList off = entriesOf(views, &QAction::isVisible);
        off.removeIf([&views](const QString& name) { return views.findChild<QAction*>(name)->isEnabled(); });
        QCOMPARE(off, turnedOff);
    }
};

QTEST_MAIN(SoundViewsTest)
#include "tst_soundviews.moc"
