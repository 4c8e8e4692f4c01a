#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "assets/ProgramFonts.h"
#include "core/EvaluationStore.h"
#include "core/FrenchDate.h"
#include "shell/ExplainPage.h"
#include "shell/GridPage.h"
#include "widgets/TitleFont.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <memory>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::Indicator)
Q_DECLARE_METATYPE(corvane::DpsType)

namespace {

using ControlStates = QMap<QString, QString>;

QPixmap Filled(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(Qt::darkBlue);
    return picture;
}

// Some of the explanation pictures and banners, each of a size no control has by itself; the
// others are missing, as while their artwork does not exist.
PictureCatalogue SomePictures() {
    PictureCatalogue pictures;
    pictures.Add(kTotalIndexExplanation, QIcon(), Filled(300, 200));
    pictures.Add(kDpsTypesExplanation, QIcon(), Filled(640, 480));
    pictures.Add(kPapsBanner, QIcon(), Filled(795, 91));
    pictures.Add(kDpsMeBanner, QIcon(), Filled(790, 88));
    return pictures;
}

template <typename Control = QWidget> Control* Find(const QWidget* page, const QString& name) {
    return page->findChild<Control*>(name);
}

// Types each character as one key press carrying its text; QTest::keyClicks only knows ASCII.
void Type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}

QString ShownText(const QWidget* control) {
    return control->property(qobject_cast<const QGroupBox*>(control) ? "title" : "text").toString();
}

QString PictureState(const QPixmap& picture, const QRect& rect) {
    return QString::asprintf("picture %lld at %d,%d %dx%d", picture.cacheKey(), rect.x(), rect.y(),
                             rect.width(), rect.height());
}

// What the user sees of every named control: texts, option states and pictures.
ControlStates StatesOf(const QWidget* page) {
    ControlStates states;
    for (const QWidget* control : page->findChildren<QWidget*>()) {
        QString state = ShownText(control);
        if (const auto* option = qobject_cast<const QRadioButton*>(control)) {
            state = option->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear");
        } else if (const auto* label = qobject_cast<const QLabel*>(control);
                   label != nullptr && !label->pixmap().isNull()) {
            state = PictureState(label->pixmap(), label->geometry());
        }
        if (!control->objectName().isEmpty()) {
            states.insert(control->objectName(), state);
        }
    }
    return states;
}

// The controls whose state is not the expected one, with both states; empty when all match.
QString Differences(const ControlStates& actual, const ControlStates& expected) {
    QString differences;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (actual.value(it.key()) != it.value()) {
            differences += QStringLiteral("%1: \"%2\" instead of \"%3\"; ")
                               .arg(it.key(), actual.value(it.key()), it.value());
        }
    }
    return differences;
}

struct PageSpies {
    explicit PageSpies(GridPage* page)
        : option(page, &GridPage::optionClicked), p1(page, &GridPage::p1Edited),
          name(page, &GridPage::nameEdited), save(page, &GridPage::saveClicked),
          snapshot(page, &GridPage::snapshotClicked), document(page, &GridPage::documentClicked) {}

    qsizetype Total() const {
        return option.size() + p1.size() + name.size() + save.size() + snapshot.size() +
               document.size();
    }

    QSignalSpy option, p1, name, save, snapshot, document;
};

// An evaluation as an opening restores it: every field differs from a new evaluation.
EvaluationRecord OpenedRecord() {
    return {.name = "Fête d'été",
            .p2Choice = 3,
            .e1Choice = 4,
            .e2Choice = 2,
            .p2Coefficient = "0.35",
            .e1Coefficient = "0.40",
            .e2Coefficient = "0.30",
            .p1Text = "1500",
            .pText = "1500",
            .riskIndexText = "1.05",
            .risText = "1.575",
            .dpsTypeText = "Point d'alerte et de premier secours",
            .banner = DpsType::Paps,
            .savedOnText = "Cette évaluation a été enregistrée le mardi 04 juin 2024"};
}

// The widest line an opening can write into SavedDateLabel, in the label's font: every day of
// seven years, so that each day name meets each month name.
QString LongestSavedOnLine(const QFont& font) {
    const QFontMetrics metrics(font);
    QString longest;
    for (QDate date(2026, 1, 1); date.year() < 2033; date = date.addDays(1)) {
        const LocalDateTime moment{{date.year(), date.month(), date.day()}, 10, 18, 0};
        const QString line =
            QString::fromStdString(std::string(kSavedOnPrefix) + DateStamp(moment));
        if (metrics.horizontalAdvance(line) > metrics.horizontalAdvance(longest)) {
            longest = line;
        }
    }
    return longest;
}

// Whether a text field shows `text` whole, without scrolling: Qt's line edit lays its text out
// inside the frame, less the text margins, two pixels on either side and one for the cursor.
bool ShowsWhole(const QLineEdit& field, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = field.rect();
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const int room = contents.marginsRemoved(field.textMargins()).width() - 2 * 2;
    return qRound(QFontMetricsF(field.font()).horizontalAdvance(text)) + 1 <= room;
}

// Whether a word-wrapping label shows `text` whole inside its rectangle.
bool ShowsWhole(const QLabel& label, const QString& text) {
    const QRect room = label.contentsRect();
    const QRect needed =
        QFontMetrics(label.font()).boundingRect(room, Qt::TextWordWrap | label.alignment(), text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QString PressedButtons(const ExplainPage& page) {
    QString pressed;
    for (int n = 1; n <= ExplainPage::kButtonCount; ++n) {
        pressed += Find<QPushButton>(&page, QStringLiteral("ExplainButton%1").arg(n))->isChecked()
                       ? u'1'
                       : u'0';
    }
    return pressed;
}

} // namespace

class TestGridPage : public QObject {
    Q_OBJECT

private:
    GridPage& Page() { return *page_; }
    QLineEdit* Field(const char* name) { return Find<QLineEdit>(page_.get(), name); }
    QRadioButton* Option(Indicator indicator, int n) {
        static const char* const kPrefixes[] = {"P2", "E1", "E2"};
        return Find<QRadioButton>(
            page_.get(),
            QStringLiteral("%1Option%2").arg(kPrefixes[static_cast<int>(indicator)]).arg(n));
    }

    const PictureCatalogue pictures_ = SomePictures();
    const QFont titleFont_ = MakeTitleFont();
    std::unique_ptr<GridPage> page_;

private slots:
    // The fonts that start-up sets; the sizes of the pages are made for them.
    void initTestCase() {
        AddProgramFonts();
        QApplication::setFont(MakeControlFont());
    }

    void init() {
        page_ = std::make_unique<GridPage>(pictures_, titleFont_);
        page_->show();
        QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    }
    void cleanup() { page_.reset(); }

    void controlsStandWhereTheyBelong_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("titleFont");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("toolTip");
        const QColor plain;
        auto row = [](const char* name, QRect rect, const char* text, bool title = false,
                      QColor colour = {}, const char* tip = "") {
            QTest::newRow(name) << rect << QString::fromUtf8(text) << title << colour
                                << QString::fromUtf8(tip);
        };
        row("EvaluationLabel", {10, 7, 60, 15}, "Evaluation :");
        row("NameField", {70, 5, 400, 20}, "", false, plain,
            "Nommez cette évaluation si vous souhaitez l'enregistrer");
        row("SaveButton", {475, 5, 65, 20}, "Enregistrer", false, plain,
            "Enregistrer cette évaluation");
        row("SnapshotButton", {545, 5, 50, 20}, "Image", false, plain,
            "Enregistrer une image jpeg de cette évaluation");
        row("P2Frame", {10, 30, 980, 145}, "Indicateur P2");
        row("P2OptionText1", {30, 65, 700, 15},
            "Option 1 = Public assis: spectacle, cérémonie culturelle, réunion publique, "
            "restauration, rendez-vous sportif ,,,",
            false, QColor(62, 193, 69));
        row("E1OptionText2", {30, 230, 700, 30},
            "Option 2 = Structures non permanentes: gradins, tribunes, chapiteaux, ,,,Espaces "
            "naturels: surface <= 2 hectares.\nBrancardage: 150m < longueur <= 300m. Terrain en "
            "pente sur plus de 100m",
            false, QColor(85, 155, 213));
        row("P2Option2", {780, 85, 150, 20}, "Option 2 - Risque Modéré");
        row("E2Option3", {30, 430, 300, 20},
            "Temps supérieur à 20 mn et inférieur ou égal à 30 mn");
        row("E2ValueField", {620, 405, 70, 20}, "0.25", true);
        row("P1Field", {620, 430, 70, 20}, "", true, plain,
            "Saisir l'effectif prévisible déclaré du public, P1 ");
        row("RiskIndexField", {920, 355, 60, 20}, "", true, QColor(221, 49, 69));
        row("DpsTypeField", {730, 455, 250, 20}, "", true, QColor(177, 55, 69));
        row("DpsBannerCaption", {10, 495, 800, 15},
            "Dispositif prévisionnel de secours à mettre en place en fonction du RIS (déterminé "
            "par les données que vous avez saisies)",
            true, QColor(90, 120, 213));
        row("DpsBannerPicture", {10, 525, 800, 120}, "");
        row("FormOver5000Button", {825, 555, 160, 25}, "Remplir déclaration + de 5000");
    }
    void controlsStandWhereTheyBelong() {
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        QFETCH(bool, titleFont);
        QFETCH(QColor, colour);
        QFETCH(QString, toolTip);
        const QWidget* control = Find(page_.get(), QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control != nullptr);
        QCOMPARE(QRect(control->mapTo(page_.get(), QPoint()), control->size()), rect);
        QCOMPARE(ShownText(control), text);
        QCOMPARE(control->font() == titleFont_, titleFont);
        const QPalette::ColorRole role =
            qobject_cast<const QLineEdit*>(control) ? QPalette::Text : QPalette::WindowText;
        const QColor expected = colour.isValid() ? colour : Page().palette().color(role);
        QCOMPARE(control->palette().color(role), expected);
        QCOMPARE(control->toolTip(), toolTip);
    }

    // A change of the results is said where the user works, the focus staying there; the banner
    // is named after the type it shows.
    void resultsAreAnnounced() {
        page_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page_.get()));
        Field("P1Field")->setFocus();
        Page().ShowRecord(OpenedRecord(), kRisTextField | kDpsTypeTextField);
        const auto* announcer = page_->findChild<QWidget*>("Announcer");
        QVERIFY(announcer != nullptr && announcer->isVisible());
        QCOMPARE(announcer->accessibleName(),
                 "Ratio d'Intervenants Secouristes 1.575, Point d'alerte et de premier secours");
        QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(announcer))->role(),
                 QAccessible::Notification);
        QCOMPARE(Find(page_.get(), "DpsBannerPicture")->accessibleName(),
                 "Bandeau du type de DPS : Point d'alerte et de premier secours");
        QVERIFY(Field("P1Field")->hasFocus());
    }

    // A screen reader tells which indicator an option belongs to.
    void optionsBelongToTheirIndicator() {
        for (const QString indicator : {"P2", "E1", "E2"}) {
            for (int option = 1; option <= 4; ++option) {
                QWidget* button = Find(page_.get(), indicator + "Option" + QString::number(option));
                QVERIFY(button != nullptr);
                const QAccessibleInterface* group =
                    QAccessible::queryAccessibleInterface(button)->parent();
                QCOMPARE(group->role(), QAccessible::Grouping);
                QCOMPARE(group->text(QAccessible::Name), "Indicateur " + indicator);
            }
        }
    }

    void descriptionsWearTheColourOfTheirLevel_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("option 1, green") << 1 << QColor(0x3E, 0xC1, 0x45);
        QTest::newRow("option 2, blue") << 2 << QColor(0x55, 0x9B, 0xD5);
        QTest::newRow("option 3, orange") << 3 << QColor(0xE4, 0x97, 0x45);
        QTest::newRow("option 4, red") << 4 << QColor(0xE9, 0x3F, 0x45);
    }
    void descriptionsWearTheColourOfTheirLevel() {
        QFETCH(int, option);
        QFETCH(QColor, colour);
        for (const char* indicator : {"P2", "E1"}) {
            const QWidget* text =
                Find(page_.get(), QString("%1OptionText%2").arg(indicator).arg(option));
            QVERIFY(text != nullptr);
            QCOMPARE(text->palette().color(QPalette::WindowText), colour);
        }
    }

    void readOnlyFieldsWearTheDialogFace_data() {
        QTest::addColumn<bool>("readOnly");
        for (const char* name : {"P2ValueField", "E1ValueField", "E2ValueField", "PValueField",
                                 "RiskIndexField", "RisField", "DpsTypeField"}) {
            QTest::newRow(name) << true;
        }
        QTest::newRow("NameField") << false;
        QTest::newRow("P1Field") << false;
    }
    void readOnlyFieldsWearTheDialogFace() {
        QFETCH(bool, readOnly);
        const QLineEdit* field = Field(QTest::currentDataTag());
        QVERIFY(field != nullptr);
        QCOMPARE(field->isReadOnly(), readOnly);
        const QColor face = Page().palette().color(QPalette::Window);
        const QColor white = Page().palette().color(QPalette::Base);
        QCOMPARE(field->palette().color(QPalette::Base), readOnly ? face : white);
    }

    void startsAsANewEvaluation() {
        for (const Indicator indicator : kIndicators) {
            for (int n = 1; n <= kOptionCount; ++n) {
                QCOMPARE(Option(indicator, n)->isChecked(), n == 1);
            }
        }
        for (const char* name : {"P2ValueField", "E1ValueField", "E2ValueField"}) {
            QCOMPARE(Field(name)->text(), QStringLiteral("0.25"));
        }
        for (const char* name : {"NameField", "P1Field", "PValueField", "RiskIndexField",
                                 "RisField", "DpsTypeField"}) {
            QCOMPARE(Field(name)->text(), QString());
        }
        QVERIFY(Find<QLabel>(page_.get(), "DpsBannerPicture")->pixmap().isNull());
    }

    void p1FieldTakesOnlyDigitsFromTheKeyboard_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << QString("0123456789") << QString("0123456789");
        QTest::newRow("letters") << QString("abcXYZ") << QString("");
        QTest::newRow("accented letter") << QString("é") << QString("");
        QTest::newRow("space, signs and radix marks") << QString(" .,-+$%") << QString("");
        QTest::newRow("digits among letters") << QString("1a2 b3") << QString("123");
    }
    void p1FieldTakesOnlyDigitsFromTheKeyboard() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PageSpies spies(page_.get());
        Type(Field("P1Field"), typed);
        QCOMPARE(Field("P1Field")->text(), shown);
        QCOMPARE(spies.p1.size(), shown.size());
        if (!shown.isEmpty()) {
            QCOMPARE(spies.p1.last().at(0).toString(), shown);
        }
    }

    void p1FieldLetsEditingKeysThrough() {
        QLineEdit* field = Field("P1Field");
        PageSpies spies(page_.get());
        Type(field, "125");
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Left);
        Type(field, "0");
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("02"));
        QCOMPARE(spies.p1.size(), 6);
    }

    void p1FieldTakesAnyPastedText() {
        QGuiApplication::clipboard()->setText(QStringLiteral(" 12abc"));
        PageSpies spies(page_.get());
        QTest::keyClick(Field("P1Field"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Field("P1Field")->text(), QStringLiteral(" 12abc"));
        QCOMPARE(spies.p1.size(), 1);
        QCOMPARE(spies.p1.at(0).at(0).toString(), QStringLiteral(" 12abc"));
    }

    void nameFieldCapitalisesWhatIsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("accented") << QString("aé") << QString("AÉ");
        QTest::newRow("cedilla and space") << QString("ça va") << QString("ÇA VA");
        QTest::newRow("digits and signs stay") << QString("été-2024!") << QString("ÉTÉ-2024!");
    }
    void nameFieldCapitalisesWhatIsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PageSpies spies(page_.get());
        Type(Field("NameField"), typed);
        QCOMPARE(Field("NameField")->text(), shown);
        QCOMPARE(Page().NameText(), shown);
        QCOMPARE(spies.name.size(), typed.size());
        for (qsizetype i = 0; i < spies.name.size(); ++i) {
            QCOMPARE(spies.name.at(i).at(0).toString(), shown.left(i + 1));
        }
    }

    void nameFieldCapitalisesInPlace() {
        QLineEdit* field = Field("NameField");
        Type(field, "ab");
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Right);
        Type(field, "x");
        QCOMPARE(field->text(), QStringLiteral("AXB"));
        QCOMPARE(field->cursorPosition(), 2);

        QGuiApplication::clipboard()->setText(QStringLiteral("é-ü"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QStringLiteral("AXÉ-ÜB"));
        QCOMPARE(field->cursorPosition(), 5);
    }

    void optionClickMovesOnlyItsIndicator_data() {
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<int>("option");
        QTest::newRow("P2 option 4") << Indicator::P2 << 4;
        QTest::newRow("E1 option 3") << Indicator::E1 << 3;
        QTest::newRow("E2 option 1") << Indicator::E2 << 1;
        QTest::newRow("E1 option 2, already selected") << Indicator::E1 << 2;
    }
    void optionClickMovesOnlyItsIndicator() {
        QFETCH(Indicator, indicator);
        QFETCH(int, option);
        const int preset = 2;
        EvaluationRecord record;
        record.p2Choice = record.e1Choice = record.e2Choice = preset;
        Page().ShowRecord(record, kP2ChoiceField | kE1ChoiceField | kE2ChoiceField);
        PageSpies spies(page_.get());

        QTest::mouseClick(Option(indicator, option), Qt::LeftButton, {}, QPoint(8, 10));

        QCOMPARE(spies.option.size(), 1);
        QCOMPARE(spies.option.at(0).at(0).value<Indicator>(), indicator);
        QCOMPARE(spies.option.at(0).at(1).toInt(), option);
        for (const Indicator each : kIndicators) {
            const int selected = each == indicator ? option : preset;
            for (int n = 1; n <= kOptionCount; ++n) {
                QCOMPARE(Option(each, n)->isChecked(), n == selected);
            }
        }
    }

    void buttonsReportTheirClick_data() {
        QTest::addColumn<int>("saves");
        QTest::addColumn<int>("snapshots");
        QTest::addColumn<int>("document");
        QTest::newRow("SaveButton") << 1 << 0 << -1;
        QTest::newRow("SnapshotButton") << 0 << 1 << -1;
        const char* const documentButtons[] = {"ReferenceButton", "FormUnder5000Button",
                                               "FormOver5000Button", "GridFormButton",
                                               "FlowchartButton"};
        for (int document = 0; document < 5; ++document) {
            QTest::newRow(documentButtons[document]) << 0 << 0 << document;
        }
    }
    void buttonsReportTheirClick() {
        QFETCH(int, saves);
        QFETCH(int, snapshots);
        QFETCH(int, document);
        PageSpies spies(page_.get());
        QTest::mouseClick(Find(page_.get(), QTest::currentDataTag()), Qt::LeftButton);
        QCOMPARE(spies.Total(), 1);
        QCOMPARE(spies.save.size(), saves);
        QCOMPARE(spies.snapshot.size(), snapshots);
        if (document >= 0) {
            QCOMPARE(spies.document.size(), 1);
            QCOMPARE(spies.document.at(0).at(0).value<ReferenceDocument>(),
                     static_cast<ReferenceDocument>(document));
        }
    }

    void showRecordWritesOnlyTheChangedFields_data() {
        QTest::addColumn<RecordFields>("changed");
        QTest::addColumn<ControlStates>("shown");
        const QString paps = PictureState(pictures_.Picture(kPapsBanner), {10, 525, 795, 91});
        QTest::newRow("name, as the program holds it")
            << RecordFields{kNameField} << ControlStates{{"NameField", "Fête d'été"}};
        QTest::newRow("saved-on line")
            << RecordFields{kSavedOnTextField}
            << ControlStates{
                   {"SavedDateLabel", "Cette évaluation a été enregistrée le mardi 04 juin 2024"}};
        QTest::newRow("P2 choice")
            << RecordFields{kP2ChoiceField}
            << ControlStates{{"P2Option1", "clear"}, {"P2Option3", "checked"}};
        QTest::newRow("E1 choice")
            << RecordFields{kE1ChoiceField}
            << ControlStates{{"E1Option1", "clear"}, {"E1Option4", "checked"}};
        QTest::newRow("E2 coefficient")
            << RecordFields{kE2CoefficientField} << ControlStates{{"E2ValueField", "0.30"}};
        QTest::newRow("P1") << RecordFields{kP1TextField} << ControlStates{{"P1Field", "1500"}};
        QTest::newRow("index") << RecordFields{kRiskIndexTextField}
                               << ControlStates{{"RiskIndexField", "1.05"}};
        QTest::newRow("result of one keystroke")
            << RecordFields{kPTextField | kRisTextField | kDpsTypeTextField | kBannerField}
            << ControlStates{{"PValueField", "1500"},
                             {"RisField", "1.575"},
                             {"DpsTypeField", "Point d'alerte et de premier secours"},
                             {"DpsBannerPicture", paps}};
    }
    void showRecordWritesOnlyTheChangedFields() {
        QFETCH(RecordFields, changed);
        QFETCH(ControlStates, shown);
        ControlStates expected = StatesOf(page_.get());
        expected.insert(shown);
        PageSpies spies(page_.get());

        Page().ShowRecord(OpenedRecord(), changed);

        const QString differences = Differences(StatesOf(page_.get()), expected);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
        QCOMPARE(spies.Total(), 0);
    }

    void showRecordLeavesAnEqualTextAlone() {
        QLineEdit* field = Field("P1Field");
        Type(field, "1500");
        QTest::keyClick(field, Qt::Key_Home);
        Page().ShowRecord(OpenedRecord(), kP1TextField);
        QCOMPARE(field->cursorPosition(), 0);
        QVERIFY(field->isUndoAvailable());
    }

    void bannerFollowsTheType_data() {
        QTest::addColumn<DpsType>("type");
        QTest::addColumn<int>("picture"); // -1: no banner
        QTest::newRow("Paps") << DpsType::Paps << kPapsBanner;
        QTest::newRow("DpsMe") << DpsType::DpsMe << kDpsMeBanner;
        QTest::newRow("DpsGe, its picture missing") << DpsType::DpsGe << kDpsGeBanner;
        QTest::newRow("no type") << DpsType::NoType << -1;
    }
    void bannerFollowsTheType() {
        QFETCH(DpsType, type);
        QFETCH(int, picture);
        EvaluationRecord record;
        record.banner = DpsType::Paps;
        Page().ShowRecord(record, kBannerField);
        record.banner = type;
        Page().ShowRecord(record, kBannerField);

        const QLabel* banner = Find<QLabel>(page_.get(), "DpsBannerPicture");
        QCOMPARE(banner->pixmap().cacheKey(), pictures_.Picture(picture).cacheKey());
        QCOMPARE(banner->pos(), QPoint(10, 525));
        if (pictures_.Has(picture)) {
            QCOMPARE(banner->size(), pictures_.Picture(picture).size());
        }
    }

    // The longest texts the program can write into a box: the widest real date of an opened file
    // and results of ten digits (P1 10000000000 with all options 4).
    void boxesShowTheirLongestTextWhole_data() {
        QTest::addColumn<QString>("text");
        RiskGrid grid;
        for (const Indicator indicator : kIndicators) {
            grid.ChooseOption(indicator, 4);
        }
        grid.EditP1("10000000000");
        QTest::newRow("SavedDateLabel") << LongestSavedOnLine(QApplication::font());
        QTest::newRow("PValueField") << QString::fromStdString(grid.Record().pText);
        QTest::newRow("RisField") << QString::fromStdString(grid.Record().risText);
    }
    void boxesShowTheirLongestTextWhole() {
        QFETCH(QString, text);
        const QWidget* box = Find(page_.get(), QTest::currentDataTag());
        QVERIFY(box != nullptr);
        const auto* field = qobject_cast<const QLineEdit*>(box);
        const auto* label = qobject_cast<const QLabel*>(box);
        QVERIFY2(field != nullptr ? ShowsWhole(*field, text) : ShowsWhole(*label, text),
                 qPrintable(QStringLiteral("%1 cuts \"%2\"").arg(box->objectName(), text)));
    }

    void tabFollowsTheOrderOfCreation() {
        const QStringList expected{
            "NameField",           "SaveButton",         "SnapshotButton", "P2Option1",
            "P2Option2",           "P2Option3",          "P2Option4",      "E1Option1",
            "E1Option2",           "E1Option3",          "E1Option4",      "E2Option1",
            "E2Option2",           "E2Option3",          "E2Option4",      "P2ValueField",
            "E1ValueField",        "E2ValueField",       "P1Field",        "PValueField",
            "RiskIndexField",      "RisField",           "DpsTypeField",   "ReferenceButton",
            "FormUnder5000Button", "FormOver5000Button", "GridFormButton", "FlowchartButton"};
        QWidget* const start = Field("NameField");
        QStringList order;
        QWidget* control = start;
        do {
            if (page_->isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus)) {
                order << control->objectName();
            }
            control = control->nextInFocusChain();
        } while (control != start && order.size() <= expected.size());
        QCOMPARE(order, expected);
    }

    void explainButtonsStandInARow_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::newRow("ExplainButton1") << QRect(10, 10, 140, 20) << "Indice total de risque";
        QTest::newRow("ExplainButton2") << QRect(150, 10, 140, 20) << "Ratio des intervenants";
        QTest::newRow("ExplainButton3") << QRect(290, 10, 120, 20) << "Règles applicables";
        QTest::newRow("ExplainButton4") << QRect(410, 10, 140, 20) << "R I S -> Type de DPS";
        QTest::newRow("ExplainButton5") << QRect(550, 10, 140, 20) << "Activités du rassemblement";
        QTest::newRow("ExplainButton6") << QRect(690, 10, 100, 20) << "Environnement";
        QTest::newRow("ExplainButton7") << QRect(790, 10, 120, 20) << "Délais d'intervention";
    }
    void explainButtonsStandInARow() {
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        ExplainPage page(pictures_);
        page.show();
        const auto* button = Find<QPushButton>(&page, QTest::currentDataTag());
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), rect);
        QCOMPARE(button->text(), text);
        QVERIFY(button->isCheckable());
        QVERIFY(!button->isChecked());
    }

    void pressedExplainButtonWearsTheHighlight() {
        ExplainPage page(pictures_);
        page.Press(0);
        page.show();
        // Left of the centred caption, inside the border.
        const auto face = [&page](const char* name) {
            const QImage shown = Find(&page, name)->grab().toImage();
            return shown.pixelColor(4, shown.height() / 2);
        };
        const QColor highlight = page.palette().color(QPalette::Highlight);
        QCOMPARE(face("ExplainButton1"), highlight);
        QVERIFY(face("ExplainButton2") != highlight);
    }

    // Made and decoded when the page is first shown, not before.
    void explainPictureStartsWithTheFirstPicture() {
        ExplainPage page(pictures_);
        QVERIFY(!page.findChild<QLabel*>("ExplainPicture"));
        page.show();
        const auto* picture = Find<QLabel>(&page, "ExplainPicture");
        QCOMPARE(picture->geometry(), QRect(10, 40, 300, 200));
        QCOMPARE(picture->pixmap().cacheKey(),
                 pictures_.Picture(kTotalIndexExplanation).cacheKey());

        const PictureCatalogue none;
        ExplainPage bare(none);
        bare.show();
        const auto* empty = Find<QLabel>(&bare, "ExplainPicture");
        QCOMPARE(empty->geometry(), QRect(10, 40, 100, 80));
        QVERIFY(empty->pixmap().isNull());
    }

    void explainButtonsSwitchThePicture() {
        ExplainPage page(pictures_);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.Press(0);
        QCOMPARE(PressedButtons(page), QStringLiteral("1000000"));
        const auto* picture = Find<QLabel>(&page, "ExplainPicture");
        auto click = [&page](int n) {
            QTest::mouseClick(Find(&page, QStringLiteral("ExplainButton%1").arg(n)),
                              Qt::LeftButton);
        };

        click(4);
        QCOMPARE(PressedButtons(page), QStringLiteral("0001000"));
        QCOMPARE(picture->pixmap().cacheKey(), pictures_.Picture(kDpsTypesExplanation).cacheKey());
        QCOMPARE(picture->geometry(), QRect(10, 40, 640, 480));

        click(4);
        QCOMPARE(PressedButtons(page), QStringLiteral("0000000"));
        QCOMPARE(picture->pixmap().cacheKey(), pictures_.Picture(kDpsTypesExplanation).cacheKey());

        // The ratio picture is missing: nothing is shown and the control keeps its size.
        click(2);
        QCOMPARE(PressedButtons(page), QStringLiteral("0100000"));
        QVERIFY(picture->pixmap().isNull());
        QCOMPARE(picture->geometry(), QRect(10, 40, 640, 480));
    }
};

QTEST_MAIN(TestGridPage)
#include "test_grid_page.moc"
