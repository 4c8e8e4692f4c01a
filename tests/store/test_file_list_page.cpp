// The two file-list pages inside the real window: what they list, how they follow their
// folders, and what their commands do to the files.
#include "assets/ProgramFonts.h"
#include "platform/desktop/AppPaths.h"
#include "platform/desktop/PollingFolderWatch.h"
#include "platform/files/NativeNames.h"
#include "shell/MainWindow.h"
#include "shell/StartUp.h"
#include "store/FileListPage.h"
#include "tests/support/FileContent.h"
#include "tests/support/NonRegularEntries.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeDatabase>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <memory>

#include <unistd.h>

using namespace corvane;

namespace {

const LocalDateTime kMonday{{2026, 12, 7}, 10, 11, 12};

QByteArray Evaluation(const char* p1) {
    return QByteArray("[Global]\r\nP2 = OptP2_1\r\nE1 = OptE1_1\r\nE2 = OptE2_1\r\nP1 = ") + p1 +
           "\r\nP = \r\nI = 0.75\r\nRIS = \r\nType = \r\nDate = \r\n";
}

// A watch whose follows are never told: a folder on a network or FUSE mount, whose changes made
// elsewhere never reach this machine, or a follow refused (no inotify instance or watch left).
class BlindWatch : public FolderWatch {
public:
    explicit BlindWatch(bool refusesFollows) : refusesFollows_(refusesFollows) {}
    Handle Follow(const QString&, NameFilter, QObject*, std::function<void()>) override {
        return refusesFollows_ ? 0 : 1;
    }
    void Forget(Handle) override {}
    bool SeesEveryChange(const QString&) override { return refusesFollows_; }

private:
    const bool refusesFollows_;
};

} // namespace

class TestFileListPage : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;
    std::unique_ptr<FolderWatch> watch_;

    QString Evaluations() const { return fixture_->Documents("Mes Evaluations"); }
    QString Images() const { return fixture_->Documents("Mes Evaluations Images"); }

    void OpenWindow() {
        QVERIFY(fixture_->Open([] { return kMonday; }, nullptr, nullptr, watch_.get()));
    }

    // The page as the user finds it on opening its tab, once its folder is read.
    FileListPage* Page(const char* name) const {
        auto* page = fixture_->Window()->findChild<FileListPage*>(name);
        page->EnsureBuilt();
        // A reading that never lands shows as the test's failure.
        (void)QTest::qWaitFor([page] { return !page->List().ReadingDue(); });
        return page;
    }
    FileListPage* EvaluationsPage() const { return Page("EvaluationsPage"); }
    FileListPage* ImagesPage() const { return Page("ImagesPage"); }

    void ShowPage(FileListPage* page) {
        fixture_->Window()->findChild<QTabWidget*>("MainPanel")->setCurrentWidget(page);
    }

    // The entries in list order, sub-folders marked with a trailing "/".
    static QStringList Listed(FileListPage* page) {
        QStringList names;
        for (int row = 0; row < page->List().EntryCount(); ++row) {
            const FileEntry& entry = page->List().Entry(row);
            names << entry.name + (entry.isFolder ? "/" : "");
        }
        return names;
    }

    static QString Count(FileListPage* page) {
        return page->findChild<QLabel*>("FileCountLabel")->text();
    }

    static QString Cell(FileListPage* page, int row, int column) {
        const QAbstractItemModel& model = page->List().Model();
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    }

    static void Select(FileListPage* page, const QStringList& names) {
        QTableView* view = page->List().DetailsView();
        view->clearSelection();
        for (int row = 0; row < page->List().EntryCount(); ++row) {
            if (names.contains(page->List().Entry(row).name)) {
                view->selectionModel()->select(view->model()->index(row, 0),
                                               QItemSelectionModel::Select |
                                                   QItemSelectionModel::Rows);
            }
        }
    }

    static void Run(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        QFAIL(qPrintable("no menu item " + text));
    }

    static QStringList Checked(QMenu* menu) {
        QStringList checked;
        for (QAction* action : menu->actions()) {
            if (action->isChecked()) {
                checked << action->text();
            }
        }
        return checked;
    }

    QString NameField() const {
        return fixture_->Window()->findChild<QLineEdit*>("NameField")->text();
    }

private slots:
    void initTestCase() {
        LoadFrenchTranslation(*qApp);
        AddProgramFonts();
    }

    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        QVERIFY(fixture_->IsValid());
        fixture_->desktop.documentsFolder = fixture_->Documents();
        fixture_->desktop.workingDirectory = QDir::toNativeSeparators(fixture_->Home() + "/");
        watch_ = MakeFolderWatch();
        PrepareAppPaths(fixture_->desktop);
    }

    void cleanup() {
        fixture_->Close();
        watch_.reset();
        QVERIFY2(fixture_->dialogs.Finished(), "a dialog was not answered as scripted");
    }

    void listsWhatEachPatternTakes() {
        for (const char* name : {"b.ini", "A.INI", "desktop.ini", "notes.mini", "readme.txt",
                                 ".cv0a1b2c3d.tmp", "sub/inner.ini"}) {
            QVERIFY(QDir().mkpath(QFileInfo(Evaluations() + name).path()));
            WriteAll(Evaluations() + name, "x");
        }
        QVERIFY(QDir(Evaluations()).mkdir(".hidden"));
        for (const char* name : {"photo.jpg", "PHOTO.JPEG", "a.jpeg"}) {
            WriteAll(Images() + name, "x");
        }
        OpenWindow();
        QCOMPARE(Listed(EvaluationsPage()),
                 QStringList({".hidden/", "sub/", "A.INI", "b.ini", "desktop.ini", "notes.mini"}));
        QCOMPARE(Count(EvaluationsPage()), QString("6 Fichiers"));
        QCOMPARE(Listed(ImagesPage()), QStringList({"a.jpeg", "PHOTO.JPEG"}));
        QCOMPARE(EvaluationsPage()->findChild<QLineEdit*>("FolderPathField")->text(),
                 Evaluations());
    }

    // The folder is read away from the window: the page shows at once, its count when the
    // reading lands.
    void firstReadingLandsLater() {
        WriteAll(Evaluations() + "a.ini", "x");
        OpenWindow();
        auto* page = fixture_->Window()->findChild<FileListPage*>("EvaluationsPage");
        page->EnsureBuilt();
        QVERIFY(page->List().ReadingDue());
        QCOMPARE(Count(page), QString());
        QTRY_COMPARE(Count(page), QString("1 Fichier"));
    }

    void countFollowsTheFolder() {
        OpenWindow();
        // A tab not opened yet reads its folder when it is first shown.
        WriteAll(Images() + "one.jpeg", "x");
        ShowPage(fixture_->Window()->findChild<FileListPage*>("ImagesPage"));
        QCOMPARE(Count(ImagesPage()), QString("1 Fichier"));
        QVERIFY(QFile::remove(Images() + "one.jpeg"));
        QTRY_COMPARE(Count(ImagesPage()), QString("0 Fichier"));
        WriteAll(Images() + "one.jpeg", "x");
        QTRY_COMPARE(Count(ImagesPage()), QString("1 Fichier"));
        QVERIFY(QDir(Images()).mkdir("sub"));
        QTRY_COMPARE(Count(ImagesPage()), QString("2 Fichiers"));
        QVERIFY(QFile::remove(Images() + "one.jpeg"));
        QTRY_COMPARE(Listed(ImagesPage()), QStringList({"sub/"}));
    }

    void detailsColumns() {
        WriteAll(Evaluations() + "empty.ini", "");
        WriteAll(Evaluations() + "small.ini", "x");
        QVERIFY(QDir(Evaluations()).mkdir("sub"));
        const QDateTime written(QDate(2026, 3, 4), QTime(5, 6, 7));
        QFile stamped(Evaluations() + "small.ini");
        QVERIFY(stamped.open(QIODevice::ReadWrite));
        QVERIFY(stamped.setFileTime(written, QFileDevice::FileModificationTime));
        stamped.close();
        // A name that is not valid UTF-8 is shown with a replacement character, and its details
        // are read under its own bytes.
        const bool byteNames =
            MakeFileNamedByBytes(QFile::encodeName(Evaluations()) + "z\xff.ini", {});
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        QHeaderView* header = page->List().DetailsView()->horizontalHeader();
        QStringList captions;
        QList<int> widths;
        for (int column = 0; column < 4; ++column) {
            captions << page->List()
                            .Model()
                            .headerData(column, Qt::Horizontal, Qt::DisplayRole)
                            .toString();
            widths << header->sectionSize(column);
        }
        QCOMPARE(captions, QStringList({"Nom", "Taille", "Type", "Dernière modification"}));
        QCOMPARE(widths, QList<int>({600, 100, 150, 120}));
        QCOMPARE(Cell(page, 0, 1), QString());
        QCOMPARE(Cell(page, 0, 2), QString());
        QCOMPARE(Cell(page, 1, 1), QString("0 KB"));
        QCOMPARE(Cell(page, 2, 1), QString("1 KB"));
        // No desktop knows ".ini" by name: the type comes from the text inside.
        QCOMPARE(Cell(page, 2, 2), QMimeDatabase().mimeTypeForName("text/plain").comment());
        QCOMPARE(Cell(page, 2, 3), QString("04/03/2026 05:06"));
        if (byteNames) {
            QCOMPARE(Cell(page, 3, 0), QString("z\uFFFD.ini"));
            QCOMPARE(Cell(page, 3, 1), QString("0 KB"));
        }
    }

    void aSaveFromTheGridShowsUpAndClearsTheSelection() {
        WriteAll(Evaluations() + "old.ini", Evaluation("100"));
        OpenWindow();
        Select(EvaluationsPage(), {"old.ini"});
        QCOMPARE(EvaluationsPage()->List().SelectedRows().size(), size_t{1});
        auto* name = fixture_->Window()->findChild<QLineEdit*>("NameField");
        name->setFocus();
        QTest::keyClicks(name, "FETE");
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        QTest::mouseClick(fixture_->Window()->findChild<QWidget*>("SaveButton"), Qt::LeftButton);
        QTRY_COMPARE(Listed(EvaluationsPage()), QStringList({"FETE.ini", "old.ini"}));
        QVERIFY(EvaluationsPage()->List().SelectedRows().empty());
        QCOMPARE(Count(EvaluationsPage()), QString("2 Fichiers"));
    }

    void aWriteInPlaceUpdatesTheSize() {
        WriteAll(Evaluations() + "grows.ini", "x");
        OpenWindow();
        QCOMPARE(Cell(EvaluationsPage(), 0, 1), QString("1 KB"));
        QFile file(Evaluations() + "grows.ini");
        QVERIFY(file.open(QIODevice::Append));
        QCOMPARE(file.write(QByteArray(3000, 'y')), qint64{3000});
        file.close();
        QTRY_COMPARE(Cell(EvaluationsPage(), 0, 1), QString("3 KB"));
    }

    void viewModesArePerList() {
        OpenWindow();
        QCOMPARE(Checked(EvaluationsPage()->ViewModeMenu()), QStringList({"Détails"}));
        Run(EvaluationsPage()->ViewModeMenu(), "Mode liste");
        QCOMPARE(EvaluationsPage()->List().ViewMode(), int{FileList::kListMode});
        QCOMPARE(Checked(EvaluationsPage()->ViewModeMenu()), QStringList({"Mode liste"}));
        QCOMPARE(ImagesPage()->List().ViewMode(), int{FileList::kDetails});
        QCOMPARE(Checked(ImagesPage()->ViewModeMenu()), QStringList({"Détails"}));
        Run(ImagesPage()->ViewModeMenu(), "Grandes icônes");
        QCOMPARE(Checked(ImagesPage()->ViewModeMenu()), QStringList({"Grandes icônes"}));
        QCOMPARE(EvaluationsPage()->List().ViewMode(), int{FileList::kListMode});
    }

    // A selection made in an icon view covers whole rows once the details are shown.
    void selectionCarriesAcrossViews() {
        WriteAll(Evaluations() + "a.ini", "x");
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        Run(page->ViewModeMenu(), "Petites icônes");
        auto* view = static_cast<QAbstractItemView*>(page->List().ShownView());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 0)).center());
        Run(page->ViewModeMenu(), "Détails");
        QVERIFY(page->List().DetailsView()->selectionModel()->isRowSelected(0, {}));
    }

    void headerClicksSortAndReverse() {
        WriteAll(Evaluations() + "b.ini", QByteArray(5000, 'x'));
        WriteAll(Evaluations() + "a.ini", QByteArray(3000, 'x'));
        WriteAll(Evaluations() + "C.ini", "x");
        QVERIFY(QDir(Evaluations()).mkdir("z"));
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        QHeaderView* header = page->List().DetailsView()->horizontalHeader();
        const auto click = [header](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              {header->sectionViewportPosition(column) + 10, header->height() / 2});
        };
        QCOMPARE(Listed(page), QStringList({"z/", "a.ini", "b.ini", "C.ini"}));
        Select(page, {"a.ini"});
        click(0);
        QCOMPARE(Listed(page), QStringList({"z/", "C.ini", "b.ini", "a.ini"}));
        QCOMPARE(page->List().SelectedRows(), std::vector<int>({3}));
        click(1);
        QCOMPARE(Listed(page), QStringList({"z/", "C.ini", "a.ini", "b.ini"}));
        click(1);
        QCOMPARE(Listed(page), QStringList({"z/", "b.ini", "a.ini", "C.ini"}));
        WriteAll(Evaluations() + "d.ini", QByteArray(4000, 'x'));
        QTRY_COMPARE(Listed(page), QStringList({"z/", "b.ini", "d.ini", "a.ini", "C.ini"}));
    }

    void namesInFrenchOrder() {
        for (const char* name : {"zèbre.ini", "Gala 10.ini", "étoile.ini", "Eux.ini", "gala 2.ini",
                                 "Etat.ini", "élan.ini", "elan.ini"}) {
            WriteAll(Evaluations() + name, "x");
        }
        OpenWindow();
        QCOMPARE(Listed(EvaluationsPage()),
                 QStringList({"elan.ini", "élan.ini", "Etat.ini", "étoile.ini", "Eux.ini",
                              "gala 2.ini", "Gala 10.ini", "zèbre.ini"}));
    }

    void keysMoveInEveryView_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("large icons") << int(FileList::kLargeIcons);
        QTest::newRow("small icons") << int(FileList::kSmallIcons);
        QTest::newRow("list") << int(FileList::kListMode);
        QTest::newRow("details") << int(FileList::kDetails);
    }

    void keysMoveInEveryView() {
        QFETCH(int, mode);
        for (int number = 10; number < 70; ++number) {
            WriteAll(Evaluations() + QString("n%1.ini").arg(number), "x");
        }
        WriteAll(Evaluations() + "Kermesse.ini", "x");
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        page->SetViewMode(mode);
        QAbstractItemView* view = page->List().ShownView();
        view->setFocus();
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(view, key);
            return view->currentIndex().row();
        };
        QCOMPARE(press(Qt::Key_End), 60);
        QCOMPARE(page->List().SelectedRows(), std::vector<int>({60}));
        QCOMPARE(press(Qt::Key_Home), 0);
        QVERIFY(press(Qt::Key_PageDown) > 1);
        QVERIFY(press(Qt::Key_PageUp) < 59);
        // In the details view the last click may have been on another column than the name.
        view->setCurrentIndex(view->model()->index(3, mode == FileList::kDetails ? 3 : 0));
        QTest::keyClicks(view, "ker");
        QCOMPARE(Cell(page, view->currentIndex().row(), 0), QString("Kermesse.ini"));
    }

    void iconViewsShowWholeNames_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("large icons") << int(FileList::kLargeIcons);
        QTest::newRow("small icons") << int(FileList::kSmallIcons);
    }

    // A name is shown whole as far as the view has room for it, and a hover shows it whole.
    void iconViewsShowWholeNames() {
        QFETCH(int, mode);
        // A short name last in the list, one that is not UTF-8 where names are bytes.
        const QString last =
            MakeFileNamedByBytes(QFile::encodeName(Evaluations()) + "z\xff.ini", {})
                ? QString("z\uFFFD.ini")
                : QString("z.ini");
        if (last == "z.ini") {
            WriteAll(Evaluations() + last, {});
        }
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        page->SetViewMode(mode);
        // The cells follow the names that come.
        const QString fete = "FETE DU VILLAGE DE SAINT-MARTIN 2026 MATIN.ini";
        const QString endless = QString("COMPETITION REGIONALE ").repeated(9) + ".ini";
        WriteAll(Evaluations() + fete, "x");
        WriteAll(Evaluations() + endless, "x");
        QTRY_COMPARE(page->List().EntryCount(), 3);
        QCOMPARE(Cell(page, 0, 0), endless);
        QCOMPARE(Cell(page, 1, 0), fete);
        QAbstractItemView* view = page->List().ShownView();
        const auto cell = [view](int row) {
            return view->visualRect(view->model()->index(row, 0));
        };
        const auto tip = [&](int row) {
            QHelpEvent hover(QEvent::ToolTip, cell(row).center(),
                             view->viewport()->mapToGlobal(cell(row).center()));
            QApplication::sendEvent(view->viewport(), &hover);
            return QToolTip::text();
        };

        const QFontMetrics metrics(view->font());
        const int icon = view->iconSize().width();
        if (mode == FileList::kLargeIcons) {
            // Under its icon, on two lines at most.
            const QRect text =
                metrics.boundingRect(QRect(0, 0, cell(1).width(), 1000), Qt::TextWordWrap, fete);
            QVERIFY(text.width() <= cell(1).width());
            QVERIFY(text.height() <= 2 * metrics.lineSpacing());
            QVERIFY(cell(1).height() >= icon + text.height());
        } else {
            QVERIFY(cell(1).width() >= icon + metrics.horizontalAdvance(fete));
        }
        // A name longer than the view is cut, and leaves room for a second column.
        QVERIFY(2 * cell(0).width() <= view->viewport()->width());
        QCOMPARE(tip(0), endless);
        QCOMPARE(tip(1), fete);
        QCOMPARE(tip(2), last);
        QToolTip::hideText();
    }

    void aBlindFolderIsLookedAtWhileShown_data() {
        QTest::addColumn<bool>("refusesFollows");
        QTest::newRow("changes not all told") << false;
        QTest::newRow("no watch to be had") << true;
    }
    void aBlindFolderIsLookedAtWhileShown() {
        QFETCH(bool, refusesFollows);
        WriteAll(Evaluations() + "a.ini", "x");
        watch_ = std::make_unique<PollingFolderWatch>(std::make_unique<BlindWatch>(refusesFollows));
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        int rereads = 0;
        connect(&page->List(), &FileList::reread, this, [&] { ++rereads; });
        ShowPage(page);
        QTRY_COMPARE(rereads, 1);
        QTest::qWait(2500);
        QCOMPARE(rereads, 1);

        WriteAll(Evaluations() + "b.ini", "x");
        QTRY_COMPARE_WITH_TIMEOUT(Listed(page), QStringList({"a.ini", "b.ini"}), 5000);
        QCOMPARE(Count(page), QString("2 Fichiers"));

        ShowPage(ImagesPage());
        WriteAll(Evaluations() + "c.ini", "x");
        QTest::qWait(2500);
        QCOMPARE(Listed(page), QStringList({"a.ini", "b.ini"}));
        ShowPage(page);
        QTRY_COMPARE(Listed(page), QStringList({"a.ini", "b.ini", "c.ini"}));
    }

    void deleteForGood_data() {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        const QStringList all{"lien/", "sub/", "a.ini", "locked.ini"};
        const int yes = int(MessageAnswer::Yes);
        QTest::newRow("yes") << QStringList{"a.ini"} << yes
                             << QStringList{"lien/", "sub/", "locked.ini"};
        QTest::newRow("no") << QStringList{"a.ini"} << int(MessageAnswer::No) << all;
        QTest::newRow("nothing selected") << QStringList{} << yes << all;
        QTest::newRow("read-only file")
            << QStringList{"locked.ini"} << yes << QStringList{"lien/", "sub/", "a.ini"};
        QTest::newRow("sub-folders left alone, a link to one too")
            << QStringList{"sub", "lien", "a.ini"} << yes
            << QStringList{"lien/", "sub/", "locked.ini"};
    }
    void deleteForGood() {
        QFETCH(QStringList, selected);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        WriteAll(Evaluations() + "a.ini", "x");
        WriteAll(Evaluations() + "locked.ini", "x");
        QVERIFY(QFile::setPermissions(Evaluations() + "locked.ini", QFile::ReadOwner));
        QVERIFY(QDir(Evaluations()).mkdir("sub"));
        QVERIFY(QDir(fixture_->Home()).mkdir("outside"));
        if (!MakeSymbolicLink(fixture_->Home() + "/outside", Evaluations() + "lien")) {
            left.removeOne("lien/");
            selected.removeOne("lien");
        }
        OpenWindow();
        Select(EvaluationsPage(), selected);
        fixture_->dialogs.ScriptAnswers({MessageAnswer(answer)});
        Run(EvaluationsPage()->ContextMenu(), "Supprimer définitivement");
        QCOMPARE(fixture_->dialogs.messages.size(), size_t{1});
        QCOMPARE(fixture_->dialogs.messages[0].title, std::string("SUPPRESSION DEFINITIVE"));
        QVERIFY(fixture_->dialogs.messages[0].enterAnswersNo);
        QCOMPARE(Listed(EvaluationsPage()), left);
        QCOMPARE(Count(EvaluationsPage()), QString::number(left.size()) + " Fichiers");
    }

    void deleteOnAnEmptyListAsksNothing() {
        OpenWindow();
        Run(ImagesPage()->ContextMenu(), "Supprimer définitivement");
        QVERIFY(fixture_->dialogs.messages.empty());
    }

    void recycleAndPropertiesGoToTheDesktopInListOrder() {
        for (const char* name : {"c.jpeg", "a.jpeg", "b.jpeg"}) {
            WriteAll(Images() + name, "x");
        }
        OpenWindow();
        Select(ImagesPage(), {"c.jpeg", "a.jpeg"});
        Run(ImagesPage()->ContextMenu(), "Propriétés de l'image");
        Run(ImagesPage()->ContextMenu(), "Envoyer à la corbeille");
        const QStringList expected{Images() + "a.jpeg", Images() + "c.jpeg"};
        QCOMPARE(fixture_->desktop.propertiesShown, expected);
        QCOMPARE(fixture_->desktop.recycled, expected);
        QVERIFY(fixture_->dialogs.messages.empty());
    }

    // Entries the bin refused stay listed, and one message says which and why.
    void recycleRefusalsAreToldOnce() {
        // A line break in a name shows as a space; Windows names hold none.
        QString broken = "b\nb.jpeg";
        if (!QFile(Images() + broken).open(QIODevice::WriteOnly)) {
            broken = "b b.jpeg";
        }
        const QStringList names{"a.jpeg", broken, "c.jpeg", "d.jpeg"};
        for (const QString& name : names) {
            WriteAll(Images() + name, "x");
        }
        fixture_->desktop.recycleOutcomes = {RecycleOutcome::Moved, RecycleOutcome::UnsafeBin,
                                             RecycleOutcome::NotAllowed, RecycleOutcome::Missing};
        OpenWindow();
        Select(ImagesPage(), names);
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        Run(ImagesPage()->ContextMenu(), "Envoyer à la corbeille");
        QCOMPARE(fixture_->desktop.recycled.size(), 4);
        QCOMPARE(fixture_->dialogs.messages.size(), size_t{1});
        QCOMPARE(
            fixture_->dialogs.messages[0],
            (UserMessage{"Envoyer à la corbeille",
                         "Ces fichiers n'ont pas été envoyés à la corbeille ; ils restent à "
                         "leur place :\r\n\r\n"
                         "« b b.jpeg » : la corbeille de ce disque n'est pas un dossier à vous "
                         "seul.\r\n"
                         "« c.jpeg » : vous n'avez pas le droit de le déplacer.",
                         MessageIcon::Warning, MessageButtons::Ok}));
    }

    // Two names the desktop would both show as "X\uFFFD.ini": each command reaches the one chosen.
    void namesThatDifferInOneByteStayApart() {
        const QByteArray folder = QFile::encodeName(Evaluations());
        const QByteArray invalid = folder + "X\xff.ini";
        const QByteArray replacement = folder + "X\xef\xbf\xbd.ini";
        if (!MakeFileNamedByBytes(invalid, Evaluation("100"))) {
            QSKIP("names are UTF-16 text here: none is made of bytes that are not UTF-8");
        }
        QVERIFY(MakeFileNamedByBytes(replacement, Evaluation("200")));
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        QCOMPARE(Cell(page, 0, 0), QString("X\uFFFD.ini"));
        QCOMPARE(Cell(page, 1, 0), QString("X\uFFFD.ini"));
        const auto selectByBytes = [&](const QByteArray& path) {
            for (int row = 0; row < page->List().EntryCount(); ++row) {
                if (folder + NativeName(page->List().Entry(row).name) == path) {
                    Select(page, {page->List().Entry(row).name});
                }
            }
        };

        selectByBytes(invalid);
        Run(page->ContextMenu(), "Ouvrir le fichier");
        QCOMPARE(fixture_->Window()->findChild<QLineEdit*>("P1Field")->text(), QString("100"));
        Run(page->ContextMenu(), "Propriétés");
        Run(page->ContextMenu(), "Envoyer à la corbeille");
        QCOMPARE(NativeName(fixture_->desktop.propertiesShown.value(0)), invalid);
        QCOMPARE(NativeName(fixture_->desktop.recycled.value(0)), invalid);

        selectByBytes(invalid);
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Yes});
        Run(page->ContextMenu(), "Supprimer définitivement");
        QVERIFY(::access(invalid.constData(), F_OK) != 0);
        QCOMPARE(::access(replacement.constData(), F_OK), 0);
        QCOMPARE(page->List().EntryCount(), 1);
        selectByBytes(replacement);
        Run(page->ContextMenu(), "Ouvrir le fichier");
        QCOMPARE(fixture_->Window()->findChild<QLineEdit*>("P1Field")->text(), QString("200"));
    }

    void openingSeveralLeavesTheLowerOneOnTheGrid() {
        WriteAll(Evaluations() + "Alpha.ini", Evaluation("100"));
        WriteAll(Evaluations() + "Beta.ini", Evaluation("200"));
        OpenWindow();
        ShowPage(EvaluationsPage());
        Select(EvaluationsPage(), {"Alpha.ini", "Beta.ini"});
        Run(EvaluationsPage()->ContextMenu(), "Ouvrir le fichier");
        QCOMPARE(NameField(), QString("Beta"));
        QCOMPARE(fixture_->Window()->findChild<QLineEdit*>("P1Field")->text(), QString("200"));
        QCOMPARE(fixture_->Window()->findChild<QTabWidget*>("MainPanel")->currentIndex(), 0);
    }

    void enterAndDoubleClickOpenFilesOnly() {
        WriteAll(Evaluations() + "Gala.ini", Evaluation("300"));
        QVERIFY(QDir(Evaluations()).mkdir("Archives"));
        WriteAll(Images() + "Gala.jpeg", "x");
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        QTableView* view = page->List().DetailsView();
        const auto rowCentre = [view](int row) {
            return view->visualRect(view->model()->index(row, 0)).center();
        };
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QCOMPARE(NameField(), QString());
        QCOMPARE(page->findChild<QLabel*>("FolderNameLabel")->text(), QString("Archives"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(1));
        QCOMPARE(page->findChild<QLabel*>("FolderNameLabel")->text(), QString("Archives"));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(NameField(), QString("Gala"));

        ShowPage(ImagesPage());
        QTableView* images = ImagesPage()->List().DetailsView();
        const QPoint first = images->visualRect(images->model()->index(0, 0)).center();
        QTest::mouseClick(images->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(images->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(fixture_->desktop.opened, QStringList({Images() + "Gala.jpeg"}));
    }

    void contextMenuFromMouseAndKeyboard() {
        WriteAll(Evaluations() + "a.ini", "x");
        OpenWindow();
        FileListPage* page = EvaluationsPage();
        ShowPage(page);
        QTableView* view = page->List().DetailsView();
        QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5},
                                view->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(view->viewport(), &click);
        QTRY_VERIFY(page->ContextMenu()->isVisible());
        page->ContextMenu()->close();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(page->ContextMenu()->isVisible());
        page->ContextMenu()->close();
    }
};

QTEST_MAIN(TestFileListPage)
#include "test_file_list_page.moc"
