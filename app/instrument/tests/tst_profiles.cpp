#include "dialogdriver.h"
#include "evaluatorprofile.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "perfil.h"
#include "testenv.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

class ProfilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshInstall();
    void saveWritesOneLineAndTheWindowRereads();
    void cancelLeavesTheFileButRereads();
    void unchangedSaveKeepsTheFileByteIdentical_data();
    void unchangedSaveKeepsTheFileByteIdentical();
    void semicolonInsideAValueIsASeparator();
    void accentedValuesAreWindows1252();
    void shortFileShowsMissingValuesEmpty();

private:
    // Opens the dialog from "Editar"; edit runs on it before save or cancel.
    void editProfiles(const std::function<void(Perfil *)> &edit, bool save);
    QString profile() const { return env->path("Z2registros/Perfil/perfil.id"); }
    QString text(const char *name) { return window->findChild<QLabel *>(name) ? window->findChild<QLabel *>(name)->text()
                                                                               : window->findChild<QRadioButton *>(name)->text(); }

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<MainWindow> window;
};

void ProfilesTest::init()
{
    env.reset(new TestEnv);
    window.reset(new MainWindow(nullptr));
}

void ProfilesTest::cleanup()
{
    window.reset();
    env.reset();
}

void ProfilesTest::editProfiles(const std::function<void(Perfil *)> &edit, bool save)
{
    auto driver = DialogDriver::on<Perfil>([&](Perfil *d) {
        edit(d);
        d->findChild<QPushButton *>(save ? "pushButton_Salvar" : "pushButton_Cancelar")->click();
    }, QString());
    window->findChild<QPushButton *>("pushButton")->click();
    QVERIFY(driver->fired());
}

static QStringList edits(Perfil *d)
{
    return {d->findChild<QLineEdit *>("lineEdit_EmpAvaliadora")->text(), d->findChild<QLineEdit *>("lineEdit_RealizadoPor")->text(),
            d->findChild<QLineEdit *>("lineEdit_RealizadoPor_2")->text()};
}

void ProfilesTest::freshInstall()
{
    QCOMPARE(text("label_TextEmpAvaliadora"), QString());
    QCOMPARE(text("radioButton_usuario1"), QString("Usuario 1"));
    QCOMPARE(text("radioButton_usuario2"), QString("Usuario 2"));

    QStringList shown;
    bool isModal = false, saveIsDefault = false;
    QString title;
    editProfiles([&](Perfil *d) {
        shown = edits(d);
        isModal = d->isModal();
        title = d->windowTitle();
        saveIsDefault = d->findChild<QPushButton *>("pushButton_Salvar")->isDefault();
    }, true);
    QCOMPARE(shown, (QStringList{" ", " ", " "}));
    QVERIFY(isModal);
    QVERIFY(saveIsDefault);
    QCOMPARE(title, QString("Cadastro de Perfil"));
    QCOMPARE(readFile(profile()), QByteArray("  ;  ;  "));
}

void ProfilesTest::saveWritesOneLineAndTheWindowRereads()
{
    editProfiles([](Perfil *d) {
        d->findChild<QLineEdit *>("lineEdit_EmpAvaliadora")->setText("Acme Ruido");
        d->findChild<QLineEdit *>("lineEdit_RealizadoPor")->setText("Ana Souza");
        d->findChild<QLineEdit *>("lineEdit_RealizadoPor_2")->setText("");  // saved as " ", keeps third place
    }, true);
    QCOMPARE(readFile(profile()), QByteArray("Acme Ruido ;Ana Souza ; "));
    QCOMPARE(text("label_TextEmpAvaliadora"), QString("Acme Ruido "));
    QCOMPARE(text("radioButton_usuario1"), QString("Ana Souza "));
    QCOMPARE(text("radioButton_usuario2"), QString(" "));

    // The menu entry opens the same dialog.
    auto driver = DialogDriver::on<Perfil>([](Perfil *d) { d->close(); }, QString());
    window->findChild<QAction *>("actionAdicionar_Perfil")->trigger();
    QVERIFY(driver->fired());

    // A restart selects technician 1 again.
    window->findChild<QRadioButton *>("radioButton_usuario2")->setChecked(true);
    MainWindow again(nullptr);
    QVERIFY(again.findChild<QRadioButton *>("radioButton_usuario1")->isChecked());
    QCOMPARE(again.findChild<QRadioButton *>("radioButton_usuario1")->text(), QString("Ana Souza "));
}

void ProfilesTest::cancelLeavesTheFileButRereads()
{
    writeFile(profile(), "A ;B ;C ");
    window->loadProfiles();
    writeFile(profile(), "Changed ;B ;C ");  // by someone else meanwhile
    editProfiles([](Perfil *d) { d->findChild<QLineEdit *>("lineEdit_EmpAvaliadora")->setText("ignored"); }, false);
    QCOMPARE(readFile(profile()), QByteArray("Changed ;B ;C "));
    QCOMPARE(text("label_TextEmpAvaliadora"), QString("Changed "));
}

void ProfilesTest::unchangedSaveKeepsTheFileByteIdentical_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("afterSave");
    const QByteArray c37(37, 'c');
    QTest::newRow("dialog-written") << QByteArray("Acme ;Ana ;Rui ") << QStringList{"Acme", "Ana", "Rui"} << QByteArray("Acme ;Ana ;Rui ");
    QTest::newRow("fresh save") << QByteArray("  ;  ;  ") << QStringList{" ", " ", " "} << QByteArray("  ;  ;  ");
    QTest::newRow("37 characters") << c37 + " ;b ;c " << QStringList{QString(c37), "b", "c"} << c37 + " ;b ;c ";
    // Longer than the edit takes: cut to 37 once, stable from then on.
    QTest::newRow("40 characters") << QByteArray(40, 'd') + " ;b ;c " << QStringList{QString(37, 'd'), "b", "c"}
                                   << QByteArray(37, 'd') + " ;b ;c ";
    // Written by something else, without the trailing spaces.
    QTest::newRow("no trailing spaces") << QByteArray("X;Y;Z") << QStringList{"X", "Y", "Z"} << QByteArray("X ;Y ;Z ");
}

void ProfilesTest::unchangedSaveKeepsTheFileByteIdentical()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, afterSave);
    writeFile(profile(), stored);
    QStringList seen;
    editProfiles([&](Perfil *d) { seen = edits(d); }, true);
    QCOMPARE(seen, shown);
    QCOMPARE(readFile(profile()), afterSave);
    // And again: nothing grows.
    editProfiles([](Perfil *) {}, true);
    QCOMPARE(readFile(profile()), afterSave);
}

void ProfilesTest::semicolonInsideAValueIsASeparator()
{
    editProfiles([](Perfil *d) {
        d->findChild<QLineEdit *>("lineEdit_EmpAvaliadora")->setText("A;B");
        d->findChild<QLineEdit *>("lineEdit_RealizadoPor")->setText("T1");
        d->findChild<QLineEdit *>("lineEdit_RealizadoPor_2")->setText("T2");
    }, true);
    QCOMPARE(readFile(profile()), QByteArray("A;B ;T1 ;T2 "));
    QCOMPARE(text("label_TextEmpAvaliadora"), QString("A"));
    QCOMPARE(text("radioButton_usuario1"), QString("B "));
    QCOMPARE(text("radioButton_usuario2"), QString("T1 "));
}

void ProfilesTest::accentedValuesAreWindows1252()
{
    editProfiles([](Perfil *d) {
        d->findChild<QLineEdit *>("lineEdit_EmpAvaliadora")->setText(QString::fromUtf8("Higiene Ocupacional São João"));
        d->findChild<QLineEdit *>("lineEdit_RealizadoPor")->setText(QString::fromUtf8("José Conceição"));
    }, true);
    QCOMPARE(readFile(profile()), QByteArray("Higiene Ocupacional S\xe3o Jo\xe3o ;Jos\xe9 Concei\xe7\xe3o ;  "));
    QCOMPARE(text("radioButton_usuario1"), QString::fromUtf8("José Conceição "));
}

void ProfilesTest::shortFileShowsMissingValuesEmpty()
{
    writeFile(profile(), "OnlyCompany");
    window->loadProfiles();
    QCOMPARE(text("label_TextEmpAvaliadora"), QString("OnlyCompany"));
    QCOMPARE(text("radioButton_usuario1"), QString());
    QCOMPARE(text("radioButton_usuario2"), QString());
    QStringList seen;
    editProfiles([&](Perfil *d) { seen = edits(d); }, false);
    QCOMPARE(seen, (QStringList{"OnlyCompany", "", ""}));
}

QTEST_MAIN(ProfilesTest)
#include "tst_profiles.moc"
