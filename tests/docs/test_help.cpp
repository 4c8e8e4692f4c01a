// The help file's pages as the viewer shows them: every figure they give is checked against the
// program, and no digit in a page, the table of contents or the index stands unchecked.
#include "core/DpsType.h"
#include "core/Indicator.h"
#include "core/NumberText.h"
#include "core/RiskGrid.h"
#include "docs/DocumentCommands.h"
#include "platform/desktop/AppPaths.h"
#include "shell/MainWindow.h"
#include "tests/support/WindowFixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <optional>

using namespace corvane;

namespace {

const QString kPages = QStringLiteral(CORVANE_HELP_PAGES "/");

// Runs of white space, the non-breaking space included, read as one space.
QString Simplified(QString text) {
    text.replace(QChar(0xA0), QLatin1Char(' '));
    return text.simplified();
}

QString DecodeReferences(const QString& text) {
    static const QRegularExpression reference(QStringLiteral("&(#\\d+|lt|gt|amp|quot|nbsp);"));
    static const std::map<QString, QChar> named{
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"nbsp", QChar(0xA0)}};
    QString out;
    qsizetype at = 0;
    for (auto match = reference.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        out += text.mid(at, found.capturedStart() - at);
        const QString name = found.captured(1);
        out += name.startsWith('#') ? QChar(name.mid(1).toInt()) : named.at(name);
        at = found.capturedEnd();
    }
    return out + text.mid(at);
}

// The text a page shows: tags and comments gone, references decoded.
QString VisibleText(QString html) {
    html.remove(QRegularExpression(QStringLiteral("<!--.*?-->"),
                                   QRegularExpression::DotMatchesEverythingOption));
    html.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    return Simplified(DecodeReferences(html));
}

QString ReadPage(const QString& name) {
    QFile file(kPages + name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    // The contents and the index are ISO 8859-1; the pages are ASCII.
    return QString::fromLatin1(bytes);
}

struct Fact {
    QString kind; // "coef", "band-up", "example"...
    QStringList args;
    QString text; // as the page shows it
};

const QRegularExpression kFactSpan(QStringLiteral("<span data-fact=\"([^\"]*)\">(.*?)</span>"));

std::optional<DpsType> TypeNamed(const QString& name) {
    static const std::map<QString, DpsType> types{
        {"NoType", DpsType::NoType}, {"Diligence", DpsType::Diligence}, {"Paps", DpsType::Paps},
        {"DpsPe", DpsType::DpsPe},   {"DpsMe", DpsType::DpsMe},         {"DpsGe", DpsType::DpsGe}};
    const auto found = types.find(name);
    return found == types.end() ? std::nullopt : std::optional(found->second);
}

// The band next to `type`, in the order of the types: `step` 1 above it, -1 below it.
DpsType Neighbour(DpsType type, int step) {
    return static_cast<DpsType>(static_cast<int>(type) + step);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void ChooseAll(RiskGrid& grid, const int (&options)[3]) {
    for (std::size_t i = 0; i < kIndicators.size(); ++i) {
        grid.ChooseOption(kIndicators[i], options[i]);
    }
}

// A figure that is not an example's: empty when the program agrees with the page.
QString CheckFact(const Fact& fact, const QSet<QString>& programTexts,
                  const QSet<QString>& documentNames) {
    const QString& text = fact.text;
    const QString arg = fact.args.value(0);
    const float value = ReadDecimalText(text.toStdString());
    const auto type = TypeNamed(arg);
    bool agrees = false;
    if (fact.kind == "version") {
        agrees = text == QStringLiteral(CORVANE_VERSION);
    } else if (fact.kind == "coef") {
        agrees = Text(std::string(CoefficientText(arg.toInt()))) == text;
    } else if (fact.kind == "option") {
        agrees = text.toInt() >= 1 && text.toInt() <= kOptionCount;
    } else if (fact.kind == "option-start") {
        RiskGrid grid;
        agrees = true;
        for (const Indicator indicator : kIndicators) {
            agrees = agrees && QString::number(grid.Choice(indicator)) == text;
        }
    } else if (fact.kind == "index-min" || fact.kind == "index-max") {
        // The lowest and the highest index over every choice of options.
        float wanted = fact.kind == "index-min" ? std::numeric_limits<float>::max() : 0.0F;
        for (int p2 = 1; p2 <= kOptionCount; ++p2) {
            for (int e1 = 1; e1 <= kOptionCount; ++e1) {
                for (int e2 = 1; e2 <= kOptionCount; ++e2) {
                    RiskGrid grid;
                    ChooseAll(grid, {p2, e1, e2});
                    const float index = ReadDecimalText(grid.Record().riskIndexText);
                    wanted = fact.kind == "index-min" ? std::min(wanted, index)
                                                      : std::max(wanted, index);
                }
            }
        }
        agrees = Text(WriteDecimalText(wanted, 2)) == text;
    } else if (fact.kind == "p-limit") {
        // P is P1 up to the limit and grows by one for every two people above it.
        const qint64 limit = QString(text).remove(' ').toLongLong();
        RiskGrid grid;
        grid.EditP1(std::to_string(limit));
        const bool equal = grid.Record().pText == std::to_string(limit);
        grid.EditP1(std::to_string(limit + 2));
        agrees = limit > 0 && equal && grid.Record().pText == std::to_string(limit + 1);
    } else if (fact.kind == "ris-divisor") {
        // With that many people the RIS is the index itself.
        RiskGrid grid;
        grid.EditP1(text.toStdString());
        agrees =
            ReadDecimalText(grid.Record().risText) == ReadDecimalText(grid.Record().riskIndexText);
    } else if (fact.kind == "band-up" && type && type != DpsType::DpsGe) {
        const float above = std::nextafter(value, std::numeric_limits<float>::infinity());
        agrees = RiskGrid::ClassifyRis(value) == *type &&
                 RiskGrid::ClassifyRis(above) == Neighbour(*type, 1);
    } else if (fact.kind == "band-low" && type && type != DpsType::NoType) {
        const float above = std::nextafter(value, std::numeric_limits<float>::infinity());
        agrees = RiskGrid::ClassifyRis(value) == Neighbour(*type, -1) &&
                 RiskGrid::ClassifyRis(above) == *type;
    } else if (fact.kind == "dps" && type) {
        agrees = Text(std::string(DpsTypeText(*type))) == text;
    } else if (fact.kind == "ui") {
        agrees = programTexts.contains(Simplified(text));
    } else if (fact.kind == "pdf") {
        agrees = documentNames.contains(text);
    } else {
        return "unknown fact: " + fact.kind + " " + fact.args.join(' ');
    }
    return agrees ? QString()
                  : QString("%1 %2: the program does not say \"%3\"")
                        .arg(fact.kind, fact.args.join(' '), text);
}

// Runs each worked example's entries, as the page states them, through the grid and compares
// every figure the page gives for it.
QStringList CheckExamples(const QList<Fact>& facts) {
    std::map<QString, std::map<QString, QSet<QString>>> examples;
    for (const Fact& fact : facts) {
        if (fact.kind == "example" && fact.args.size() == 2) {
            examples[fact.args[0]][fact.args[1]] << fact.text;
        }
    }
    QStringList failures;
    for (const auto& example : examples) {
        // clang cannot capture a structured binding.
        const QString& name = example.first;
        const auto& figures = example.second;
        auto entry = [&](const char* key) {
            const auto found = figures.find(key);
            return found != figures.end() && found->second.size() == 1 ? *found->second.begin()
                                                                       : QString();
        };
        const QString p1 = entry("p1");
        const int options[3]{entry("p2").toInt(), entry("e1").toInt(), entry("e2").toInt()};
        if (p1.isEmpty() || options[0] == 0 || options[1] == 0 || options[2] == 0) {
            failures << "example " + name + ": P1 and the three options, each stated once";
            continue;
        }
        RiskGrid grid;
        ChooseAll(grid, options);
        grid.EditP1(p1.toStdString());
        const EvaluationRecord& record = grid.Record();
        const std::map<QString, std::string> shown{{"p1", record.p1Text},
                                                   {"p2", std::to_string(record.p2Choice)},
                                                   {"e1", std::to_string(record.e1Choice)},
                                                   {"e2", std::to_string(record.e2Choice)},
                                                   {"coef-p2", record.p2Coefficient},
                                                   {"coef-e1", record.e1Coefficient},
                                                   {"coef-e2", record.e2Coefficient},
                                                   {"index", record.riskIndexText},
                                                   {"p", record.pText},
                                                   {"ris", record.risText},
                                                   {"type", record.dpsTypeText}};
        for (const auto& [key, texts] : figures) {
            const auto program = shown.find(key);
            for (const QString& text : texts) {
                if (program == shown.end() || Text(program->second) != text) {
                    failures << QString("example %1 %2: the page says \"%3\"").arg(name, key, text);
                }
            }
        }
    }
    return failures;
}

// The digits left in `text` once the indicators' names are taken out, with their surroundings.
QStringList UncheckedDigits(QString text, const QSet<QString>& indicatorNames) {
    static const QRegularExpression name(QStringLiteral("\\b[A-Z]\\d+\\b"));
    for (auto match = name.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        if (indicatorNames.contains(found.captured())) {
            text.replace(found.capturedStart(), found.capturedLength(),
                         QString(found.capturedLength(), QLatin1Char('_')));
        }
    }
    QStringList unchecked;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (auto match = digits.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        unchecked << "\"" + found.captured() + "\" in \"..." +
                         text.mid(std::max<qsizetype>(0, found.capturedStart() - 30), 60) + "...\"";
    }
    return unchecked;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QSet<QString> programTexts_;           // every text of the window, its menus and its controls
    QSet<QString> documentNames_;          // the file names of the five reference documents
    QSet<QString> indicatorNames_;         // "P1", "P2"...: the names the window gives its figures
    std::map<QString, QString> shortcuts_; // "Ctrl+O" -> "Fichier Ouvrir une évaluation"

    void ReadProgram() {
        auto add = [this](const QString& text) {
            if (!text.isEmpty()) {
                programTexts_ << Simplified(text);
            }
        };
        for (const QWidget* widget : fixture_.Window()->findChildren<QWidget*>()) {
            add(widget->toolTip());
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                add(label->text());
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                add(button->text());
            } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
                add(frame->title());
            } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    add(tabs->tabText(i));
                }
            }
        }
        for (const QAction* title : fixture_.Window()->menuBar()->actions()) {
            for (const QAction* action : title->menu()->actions()) {
                const QString text = action->text().section('\t', 0, 0);
                add(text);
                if (!action->shortcut().isEmpty()) {
                    shortcuts_[action->shortcut().toString(QKeySequence::PortableText)] =
                        title->text() + " " + text;
                }
            }
        }
        static const QRegularExpression name(QStringLiteral("\\b[A-Z]\\d+\\b"));
        for (const QString& text : std::as_const(programTexts_)) {
            for (auto match = name.globalMatch(text); match.hasNext();) {
                indicatorNames_ << match.next().captured();
            }
        }
        const AppPaths paths = PrepareAppPaths(fixture_.desktop);
        for (const auto document : {ReferenceDocument::Reference, ReferenceDocument::FormUnder5000,
                                    ReferenceDocument::FormOver5000, ReferenceDocument::GridForm,
                                    ReferenceDocument::Flowchart}) {
            documentNames_ << DocumentCommands::DocumentPath(paths, document)
                                  .mid(fixture_.desktop.workingDirectory.size());
        }
    }

    // The files the project compiles: the contents, the index and the pages.
    static QStringList HelpFiles() {
        QStringList files;
        bool inFiles = false;
        for (const QString& line : ReadPage("corvane.hhp").split('\n')) {
            const QString entry = line.trimmed();
            if (entry.startsWith("Contents file=") || entry.startsWith("Index file=")) {
                files << entry.section('=', 1);
            } else if (entry.startsWith('[')) {
                inFiles = entry == "[FILES]";
            } else if (inFiles && !entry.isEmpty()) {
                files << entry;
            }
        }
        return files;
    }

    static QList<Fact> Facts(const QString& html) {
        QList<Fact> facts;
        for (auto match = kFactSpan.globalMatch(html); match.hasNext();) {
            const auto found = match.next();
            QStringList words = found.captured(1).split(' ', Qt::SkipEmptyParts);
            const QString kind = words.isEmpty() ? QString() : words.takeFirst();
            facts << Fact{kind, words, Simplified(DecodeReferences(found.captured(2)))};
        }
        return facts;
    }

private slots:
    void initTestCase() {
        QVERIFY(fixture_.IsValid());
        QVERIFY(fixture_.Open([] { return LocalDateTime{{2026, 3, 14}, 9, 30, 0}; }));
        ReadProgram();
        QVERIFY(!HelpFiles().isEmpty());
    }

    void figures_data() {
        QTest::addColumn<QString>("file");
        for (const QString& file : HelpFiles()) {
            QTest::newRow(qPrintable(file)) << file;
        }
    }

    // Each figure a page gives is the program's; nothing else in it is a digit.
    void figures() {
        QFETCH(QString, file);
        const QString html = ReadPage(file);
        QVERIFY2(!html.isEmpty(), qPrintable(file + " is missing or empty"));
        QStringList failures;
        const QList<Fact> facts = Facts(html);
        for (const Fact& fact : facts) {
            if (fact.kind != "example") {
                if (const QString failure = CheckFact(fact, programTexts_, documentNames_);
                    !failure.isEmpty()) {
                    failures << failure;
                }
            }
        }
        failures << CheckExamples(facts);
        QString shown;
        if (file.endsWith(".hhc") || file.endsWith(".hhk")) {
            static const QRegularExpression entry(
                QStringLiteral("<param name=\"Name\" value=\"([^\"]*)\">"));
            for (auto match = entry.globalMatch(html); match.hasNext();) {
                shown += match.next().captured(1) + " / ";
            }
        } else {
            shown = VisibleText(QString(html).replace(kFactSpan, QStringLiteral(" ")));
        }
        failures << UncheckedDigits(shown, indicatorNames_);
        QVERIFY2(failures.isEmpty(), qPrintable(file + ":\n" + failures.join('\n')));
    }

    // xCHM shows the pages' character references, but shows the contents and the index as
    // ISO 8859-1 bytes, references and all.
    void accentsReadRight() {
        for (const QString& file : HelpFiles()) {
            const QString text = ReadPage(file);
            const bool listing = file.endsWith(".hhc") || file.endsWith(".hhk");
            for (const QChar c : text) {
                QVERIFY2(listing || c.unicode() < 0x80, qPrintable(file + ": " + QString(c)));
            }
            QVERIFY2(!listing || !text.contains("&#"), qPrintable(file));
            // UTF-8 read as ISO 8859-1 starts with "Ã".
            QVERIFY2(!text.contains(QChar(0xC3)), qPrintable(file));
        }
        QVERIFY(ReadPage("index.hhk").contains(QStringLiteral("Nouvelle évaluation")));
        QVERIFY(VisibleText(ReadPage("evaluations.html")).contains("Où vont les évaluations"));
        QVERIFY(ReadPage("corvane.hhp").contains("Language=0x40c"));
    }

    // Nothing the user needs is left out: the documents' names, the coefficients, the five
    // types, and every shortcut with its command.
    void coversTheProgram() {
        QSet<QString> given;
        for (const QString& file : HelpFiles()) {
            for (const Fact& fact : Facts(ReadPage(file))) {
                given << fact.kind + " " + fact.args.join(' ') + "=" + fact.text;
            }
        }
        for (const QString& name : std::as_const(documentNames_)) {
            QVERIFY2(given.contains("pdf =" + name), qPrintable(name));
        }
        for (int option = 1; option <= kOptionCount; ++option) {
            const QString coefficient = Text(std::string(CoefficientText(option)));
            QVERIFY2(given.contains(QString("coef %1=%2").arg(option).arg(coefficient)),
                     qPrintable(coefficient));
        }
        for (const char* type : {"Diligence", "Paps", "DpsPe", "DpsMe", "DpsGe"}) {
            const QString text = Text(std::string(DpsTypeText(*TypeNamed(type))));
            QVERIFY2(given.contains(QString("dps %1=%2").arg(type, text)), type);
        }
        QVERIFY(shortcuts_.size() > 1);
        const QString keys = VisibleText(ReadPage("raccourcis.html"));
        for (const auto& [shortcut, command] : shortcuts_) {
            QVERIFY2(keys.contains(shortcut + " " + command), qPrintable(shortcut));
        }
        static const QRegularExpression named(QStringLiteral("Ctrl\\+\\w+"));
        for (const QString& file : HelpFiles()) {
            for (auto match = named.globalMatch(VisibleText(ReadPage(file))); match.hasNext();) {
                const QString shortcut = match.next().captured();
                QVERIFY2(shortcuts_.contains(shortcut), qPrintable(file + ": " + shortcut));
            }
        }
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
