#pragma once
#include <QMainWindow>
#include <QModelIndex>
#include <QStringList>

class QStackedWidget;
class Medicao;
class Perfil;
class Config;
class sobre;

namespace Ui {
class MainWindow;
}

// Page 0 of the page stack: the instrument panel, the big buttons, the
// evaluator profile and the list of measurements on the instrument.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setPageStack(QStackedWidget *stack);

    // Scans the mounted volumes; true when a writable instrument drive was found.
    bool checkInstrumentConnection();
    void refreshInstrumentTable();
    void updateSyncLists();
    void downloadAllMissingFiles();
    void showInstrumentId();
    void loadProfiles();

private slots:
    void onTableClicked(QModelIndex index);
    void on_actionAdicionar_Perfil_triggered();
    void on_toolButton_Registros_clicked();
    void on_actionSair_triggered();
    void on_actionImportar_triggered();
    void on_actionManual_triggered();
    void on_pushButton_Manual_clicked();
    void on_pushButton_BaixarTudo_clicked();
    void on_actionRegistros_triggered();
    void on_actionConfigurar_triggered();
    void on_toolButton_Configurar_clicked();
    void on_actionSobre_triggered();
    void on_actionDeletar_Tudo_triggered();
    void on_pushButton_clicked();
    void on_radioButton_usuario1_clicked();
    void on_radioButton_usuario2_clicked();
    void on_actionExportar_triggered();
    void on_pushButton_2_clicked();
    void on_actionMudar_Idioma_triggered();
    void on_actionAtualizar_Firmware_triggered();

private:
    void applyConnectedLook();
    // withMessage is false only for the constructor's initial look.
    void applyDisconnectedLook(bool withMessage);
    // The evaluator stamped into downloaded headers.
    QString evaluatorCompany() const;
    QString evaluatorTechnician() const;
    Medicao *record();

    Ui::MainWindow *ui;
    QStackedWidget *pageStack = nullptr;
    sobre *aboutDialog = nullptr;
    Medicao *currentRecord = nullptr;
    Perfil *profileDialog = nullptr;
    Config *configDialog = nullptr;
    QString archiveDir;
    QString pdfDir;
    QString instrumentDir;
    QString instrumentRoot;
    QString profileDir;
    QStringList syncedHeaderPaths;
    QStringList instrumentMeasurementNames;
    QStringList rowFileNames;
};
