#include "assets/ProgramFonts.h"
#include "platform/desktop/QtDialogs.h"
#include "platform/desktop/SettingsNowhere.h"
#include "shell/StartUp.h"
#include "widgets/PlainDialogButtons.h"
#include "widgets/TitleFont.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

using namespace corvane;

namespace {

struct ShownLine {
    QString text;
    qreal width;
};

// The lines into which a word-wrapping label `width` pixels wide breaks a text.
QList<ShownLine> LinesAt(const QString& text, int width) {
    QList<ShownLine> lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, QApplication::font());
        layout.setTextOption(QTextOption(Qt::AlignLeft));
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append({paragraph.mid(line.textStart(), line.textLength()).trimmed(),
                          line.naturalTextWidth()});
        }
        layout.endLayout();
    }
    return lines;
}

// A desktop style that puts pictures on the standard buttons of dialogs.
class PicturesOnButtons : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

// What the standard dialogs show: French buttons whatever the system's language (CTest runs this
// with LANG=C), and messages that wrap inside their box.
class TestFrenchDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // As the program does, so that the file dialog below leaves no state in the
        // developer's configuration.
        SendSettingsNowhere();
        LoadFrenchTranslation(*qApp);
        AddProgramFonts();
        HoldApplicationFont(MakeControlFont());
    }

    // A desktop theme that sets its own font once the program runs: the dialogs, which no window
    // of the program holds, keep the program's font.
    void dialogsKeepTheProgramFont() {
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        QMessageBox box(QMessageBox::Information, QStringLiteral("Erreur"),
                        QStringLiteral("Texte"));
        QCOMPARE(box.font().family(), QString("Arial"));
        QCOMPARE(box.font().pointSize(), 8);
    }

    // Enter presses the box's default button: No where Yes would delete or overwrite a file.
    void enterAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("enterAnswersNo");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes/No") << int(MessageButtons::YesNo) << false << int(MessageAnswer::Yes);
        QTest::newRow("Yes/No, Enter answers No")
            << int(MessageButtons::YesNo) << true << int(MessageAnswer::No);
        QTest::newRow("Yes/No/Cancel, Enter answers No")
            << int(MessageButtons::YesNoCancel) << true << int(MessageAnswer::No);
    }

    void enterAnswers() {
        QFETCH(int, buttons);
        QFETCH(bool, enterAnswersNo);
        QFETCH(int, answer);
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible()) {
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        const UserMessage question{"SUPPRESSION DEFINITIVE", "Êtes vous sûr(e) ?",
                                   MessageIcon::Warning, MessageButtons(buttons), enterAnswersNo};
        QCOMPARE(int(QtDialogs().Ask(question)), answer);
    }

    void messageBoxButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << "Oui";
        QTest::newRow("No") << int(QMessageBox::No) << "Non";
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Annuler";
    }

    void messageBoxButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto standard = static_cast<QMessageBox::StandardButton>(button);
        QCOMPARE(box.button(standard)->text().remove(QLatin1Char('&')), text);
    }

    void lineBreaksOfMessages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("screen");
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\nb";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a\nb";
        QTest::newRow("CR CR LF") << "a\r\r\nb"
                                  << "a\n\nb";
    }

    void lineBreaksOfMessages() {
        QFETCH(QString, text);
        QFETCH(QString, screen);
        QCOMPARE(ScreenText(text.toStdString()), screen);
    }

    // A message box is between about 250 and 800 pixels wide, whatever the name it shows.
    void messagesWrapInsideTheirBox_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("saved, a long name of one word")
            << "L'évaluation " + QString("ABCDEFGHIJ").repeated(12) + " a bien été enregistrée";
        QTest::newRow("save first") << "Voulez-vous d'abord sauvegarder les données actuelles ? Si "
                                       "oui utilisez la commande { Enregistrer l'évaluation "
                                       "courante }";
    }
    void messagesWrapInsideTheirBox() {
        QFETCH(QString, text);
        const QString screen = ScreenText(text.toStdString());
        for (int width = 250; width <= 800; width += 3) {
            for (const ShownLine& line : LinesAt(screen, width)) {
                const QString where = QStringLiteral("at %1 px: \"%2\"").arg(width).arg(line.text);
                QVERIFY2(line.width <= width, qPrintable("runs out " + where));
                QVERIFY2(!line.text.endsWith(u'{'), qPrintable("brace left alone " + where));
                QVERIFY2(!line.text.startsWith(u'}') && !line.text.startsWith(u'?'),
                         qPrintable("mark left alone " + where));
            }
        }
        // Only the breaks change: every character of the message is shown.
        QString shown = screen;
        QCOMPARE(shown.remove(QChar(0x200B)).replace(QChar::Nbsp, u' '), text);
    }

    void dialogButtonsCarryNoPictures() {
        QApplication::setStyle(new PicturesOnButtons(QApplication::style()));
        UsePlainDialogButtons();
        const QMessageBox box(QMessageBox::Question, QString(), QString(),
                              QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No |
                                  QMessageBox::Cancel);
        const QDialogButtonBox prompt(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QList<QAbstractButton*> buttons = box.buttons() + prompt.buttons();
        for (const QDialogButtonBox* fileButtons : files.findChildren<QDialogButtonBox*>()) {
            buttons += fileButtons->buttons();
        }
        QCOMPARE(buttons.size(), 8);
        for (const QAbstractButton* button : buttons) {
            QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
        }
    }

    void fileFilterBecomesQtForm() {
        QCOMPARE(QtFileFilter(QString::fromUtf8("Fichiers de paramètres|*.ini")),
                 QString::fromUtf8("Fichiers de paramètres (*.ini)"));
    }
};

QTEST_MAIN(TestFrenchDialogs)
#include "test_french_dialogs.moc"
