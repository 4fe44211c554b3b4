#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "busybox.h"
#include "instrumentscan.h"
#include "language.h"
#include "localpaths.h"
#include "mountedvolumes.h"
#include "processrunner.h"
#include "sobre.h"
#include "startup.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTranslator>
#include <QUrl>

namespace {
const int connectionMessageMs = 1000;
const char *const manualUrl = "https://www.tervanis.com.br/produtos/nvx-2200";
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    aboutDialog = new sobre(nullptr);
    applyDisconnectedLook(false);
    ui->radioButton_usuario1->setChecked(true);

    archiveDir = LocalPaths::archiveDir();
    pdfDir = LocalPaths::pdfDir();
    profileDir = LocalPaths::profileDir();
    for (const QString &dir : {archiveDir, pdfDir, profileDir}) {
        if (!QDir(dir).exists())
            QDir().mkdir(dir);
    }
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::setPageStack(QStackedWidget *stack)
{
    pageStack = stack;
}

// ---- connection state ----

void MainWindow::applyConnectedLook()
{
    ui->statusBar->showMessage(tr("Dispositivo conectado"), connectionMessageMs);
    ui->pushButton_BaixarTudo->setEnabled(true);
    ui->pushButton_BaixarTudo->setStyleSheet(QStringLiteral(
        "QPushButton{ color:white; border-radius: 10px; background-color: rgb(230, 0, 0); }"
        "QPushButton:pressed{ background-color: rgb(150, 0, 0);}"));
    ui->label_Status->setText(tr("Conectado"));
    ui->toolButton_Configurar->setEnabled(true);
    ui->toolButton_Configurar->setStyleSheet(QStringLiteral("background-color: rgb(230, 0, 0); "));
    ui->toolButton_Configurar->setIcon(QIcon(QStringLiteral(":/imagens/icons/ICON_CONFIG2.png")));
    ui->actionConfigurar->setEnabled(true);
}

void MainWindow::applyDisconnectedLook(bool withMessage)
{
    if (withMessage)
        ui->statusBar->showMessage(tr("Dispositivo desconectado"), connectionMessageMs);
    ui->pushButton_BaixarTudo->setEnabled(false);
    ui->pushButton_BaixarTudo->setStyleSheet(
        QStringLiteral("color:white;\nborder-radius: 10px;\nbackground-color: rgb(176, 176, 176);"));
    ui->label_Status->setText(tr("Desconectado"));
    ui->toolButton_Configurar->setEnabled(false);
    ui->toolButton_Configurar->setStyleSheet(QStringLiteral("background-color: rgb(176, 176, 176);"));
    ui->toolButton_Configurar->setIcon(QIcon(QStringLiteral(":/imagens/icons/ICON_CONFIG2_off.png")));
    ui->actionConfigurar->setEnabled(false);
}

bool MainWindow::checkInstrumentConnection()
{
    const InstrumentScan::Outcome outcome = InstrumentScan::scan(MountedVolumes::list());
    if (outcome.sawOtherVolume)
        tableStale = true;
    if (outcome.rootSeen)
        instrumentRoot = outcome.root;
    // The scan may pass several volumes; only the look it ends with is seen.
    if (outcome.look == InstrumentScan::Look::Connected)
        applyConnectedLook();
    else if (outcome.look == InstrumentScan::Look::Disconnected)
        applyDisconnectedLook(true);

    if (tableStale) {
        refreshInstrumentTable();
        showInstrumentId();
    }
    return outcome.connected;
}

void MainWindow::showInstrumentId()
{
    ui->label_IdEquipamento->setText(QStringLiteral("ID: ") + InstrumentScan::readInstrumentId(instrumentDir));
}

void MainWindow::on_pushButton_2_clicked()
{
    QMessageBox *box = BusyBox::show(QMessageBox::NoIcon, tr("Conectar"), tr("Procurando e conectando com o instrumento..."));
    ui->statusBar->showMessage(tr("Procurando e conectando com o instrumento..."), connectionMessageMs);
    const bool connected = checkInstrumentConnection();
    BusyBox::finish(box, connected ? tr("Dispositivo conectado!") : tr("Dispositivo desconectado!"), true);
}

// ---- records table ----

void MainWindow::refreshInstrumentTable()
{
    instrumentDir = InstrumentScan::instrumentDirFor(instrumentRoot);

    auto *model = new QStandardItemModel();
    model->setColumnCount(5);
    model->setHorizontalHeaderLabels({tr("Nome da Medição"), tr("Data"), tr("Horário Inicio"), tr("Duração"), tr("Status")});
    ui->tableView->setStyleSheet(QStringLiteral(
        "QHeaderView::section:enabled { background-color: rgb(230, 0, 0);font-weight: bold }QTableView::enabled{color:white}"));

    // The view does not own its model or selection model; the old ones go
    // once the current event (possibly a click on the old model) is done.
    QAbstractItemModel *oldModel = ui->tableView->model();
    QItemSelectionModel *oldSelection = ui->tableView->selectionModel();
    ui->tableView->setModel(model);
    if (oldSelection)
        oldSelection->deleteLater();
    if (oldModel)
        oldModel->deleteLater();

    ui->tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->tableView->horizontalHeader()->setStyleSheet(QStringLiteral("color:white;background-color:  transparent;"));
    ui->tableView->verticalHeader()->setDefaultSectionSize(10);
    ui->tableView->verticalHeader()->hide();

    disconnect(ui->tableView, &QTableView::clicked, this, &MainWindow::onTableClicked);
    connect(ui->tableView, &QTableView::clicked, this, &MainWindow::onTableClicked);
    ui->tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableStale = false;
}

void MainWindow::onTableClicked(QModelIndex index)
{
    Q_UNUSED(index);
}

void MainWindow::on_pushButton_BaixarTudo_clicked()
{
}

// ---- simple actions ----

void MainWindow::on_toolButton_Registros_clicked()
{
    pageStack->setCurrentIndex(1);
}

void MainWindow::on_actionRegistros_triggered()
{
    on_toolButton_Registros_clicked();
}

void MainWindow::on_actionSair_triggered()
{
    QCoreApplication::quit();
}

void MainWindow::on_pushButton_Manual_clicked()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(manualUrl)));
}

void MainWindow::on_actionManual_triggered()
{
    on_pushButton_Manual_clicked();
}

void MainWindow::on_actionSobre_triggered()
{
    aboutDialog->show();
}

void MainWindow::on_actionConfigurar_triggered()
{
    if (checkInstrumentConnection()) {
    } else {
        QMessageBox::information(nullptr, tr("Configurar Instrumento"),
                                 tr("Equipamento desconectado.\nNão é possivel configurar o instrumento"),
                                 QMessageBox::Ok);
    }
}

void MainWindow::on_toolButton_Configurar_clicked()
{
    on_actionConfigurar_triggered();
}

void MainWindow::on_radioButton_usuario1_clicked()
{
}

void MainWindow::on_radioButton_usuario2_clicked()
{
}

// ---- profiles, deletion, import, export ----

void MainWindow::on_actionAdicionar_Perfil_triggered()
{
    on_pushButton_clicked();
}

void MainWindow::on_pushButton_clicked()
{
}

void MainWindow::on_actionDeletar_Tudo_triggered()
{
}

void MainWindow::on_actionImportar_triggered()
{
}

void MainWindow::on_actionExportar_triggered()
{
}

// ---- language ----

void MainWindow::on_actionMudar_Idioma_triggered()
{
    // Lives for the whole run; with the start-up translator these are the
    // only two ever installed.
    static QTranslator languageTranslator;

    const QStringList items{tr("Português"), tr("Inglês"), tr("Espanhol")};
    bool ok = false;
    const QString choice = QInputDialog::getItem(nullptr, tr("Selecione o Idioma"), tr("Idioma"), items, 0, false, &ok);
    if (!ok)
        return;

    QString catalog;
    if (choice == tr("Espanhol"))
        catalog = Language::spanishCatalog();
    else if (choice == tr("Inglês"))
        catalog = Language::englishCatalog();
    else
        catalog = Language::portugueseCatalog();
    languageTranslator.load(catalog);

    QCoreApplication::removeTranslator(&languageTranslator);
    QCoreApplication::installTranslator(&languageTranslator);
    ui->retranslateUi(this);
    Language::store(catalog);
    refreshInstrumentTable();

    ProcessRunner::current().quitAndRestart(QCoreApplication::arguments().value(0), Startup::restartArguments());
}

// ---- firmware ----

void MainWindow::on_actionAtualizar_Firmware_triggered()
{
}
