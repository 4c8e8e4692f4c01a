// The least organisation a count of first-aid workers implies, across the types.
#include "core/CoverOrganisation.h"

#include <QTest>

using namespace corvane;

class TestCoverOrganisation : public QObject {
    Q_OBJECT

private slots:
    void organisation_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("workers");
        QTest::addColumn<QString>("text");
        const QString counted =
            " Le nombre d'intervenants secouristes comprend les chefs de poste, "
            "mais ni les autres cadres ni les logisticiens ; l'autorité de "
            "police peut en demander davantage.";
        QTest::newRow("diligence") << int(DpsType::Diligence) << 0 << QString();
        QTest::newRow("alert post")
            << int(DpsType::Paps) << 2 << "Organisation minimale : un binôme (deux personnes).";
        QTest::newRow("PE, 4") << int(DpsType::DpsPe) << 4
                               << "Organisation minimale : 1 poste de secours, mené par un chef "
                                  "de poste." +
                                      counted;
        QTest::newRow("PE, 12") << int(DpsType::DpsPe) << 12
                                << "Organisation minimale : 1 poste de secours, mené par un chef "
                                   "de poste." +
                                       counted;
        QTest::newRow("ME, 14") << int(DpsType::DpsMe) << 14
                                << "Organisation minimale : 2 postes de secours, chacun mené par "
                                   "un chef de poste, sous un chef de section, avec 2 "
                                   "logisticiens." +
                                       counted;
        QTest::newRow("ME, 36") << int(DpsType::DpsMe) << 36
                                << "Organisation minimale : 3 postes de secours, chacun mené par "
                                   "un chef de poste, sous un chef de section, avec 2 "
                                   "logisticiens." +
                                       counted;
        QTest::newRow("GE, 38") << int(DpsType::DpsGe) << 38
                                << "Organisation minimale : 4 postes de secours, chacun mené par "
                                   "un chef de poste, répartis en au moins 2 secteurs, chacun "
                                   "avec un chef de secteur et 2 logisticiens, sous un chef de "
                                   "dispositif." +
                                       counted;
        QTest::newRow("GE, 146") << int(DpsType::DpsGe) << 146
                                 << "Organisation minimale : 13 postes de secours, chacun mené "
                                    "par un chef de poste, répartis en au moins 2 secteurs, "
                                    "chacun avec un chef de secteur et 2 logisticiens, sous un "
                                    "chef de dispositif." +
                                        counted;
    }

    void organisation() {
        QFETCH(int, type);
        QFETCH(int, workers);
        QFETCH(QString, text);
        const CoverOrganisation organisation = OrganiseCover(DpsType(type), workers);
        QCOMPARE(QString::fromStdString(CoverOrganisationText(organisation)), text);
    }
};

QTEST_APPLESS_MAIN(TestCoverOrganisation)
#include "test_cover_organisation.moc"
