#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "config.h"
#include "evaluatorprofile.h"
#include "filedialogs.h"
#include "instrumentrecords.h"
#include "instrumentscan.h"
#include "language.h"
#include "localpaths.h"
#include "measurementfiles.h"
#include "medicao.h"
#include "messageboxes.h"
#include "mountedvolumes.h"
#include "perfil.h"
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
const int resultMessageMs = 2000;
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
    loadProfiles();
}

MainWindow::~MainWindow()
{
    delete currentRecord;
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

Medicao *MainWindow::record()
{
    if (!currentRecord)
        currentRecord = new Medicao;
    return currentRecord;
}

QString MainWindow::evaluatorCompany() const
{
    return ui->label_TextEmpAvaliadora->text();
}

QString MainWindow::evaluatorTechnician() const
{
    return ui->radioButton_usuario1->isChecked() ? ui->radioButton_usuario1->text() : ui->radioButton_usuario2->text();
}

void MainWindow::updateSyncLists()
{
    const InstrumentRecords::SyncLists lists = InstrumentRecords::syncLists(instrumentDir, archiveDir);
    syncedHeaderPaths = lists.syncedHeaderPaths;
    instrumentMeasurementNames = lists.instrumentMeasurementNames;
}

void MainWindow::refreshInstrumentTable()
{
    instrumentDir = InstrumentScan::instrumentDirFor(instrumentRoot);

    auto *model = new QStandardItemModel();
    model->setColumnCount(5);
    model->setHorizontalHeaderLabels({tr("Nome da Medição"), tr("Data"), tr("Horário Inicio"), tr("Duração"), tr("Status")});
    ui->tableView->setStyleSheet(QStringLiteral(
        "QHeaderView::section:enabled { background-color: rgb(230, 0, 0);font-weight: bold }QTableView::enabled{color:white}"));

    updateSyncLists();
    const auto centred = [](QStandardItem *item) {
        item->setData(int(Qt::AlignHCenter | Qt::AlignVCenter), Qt::TextAlignmentRole);
        return item;
    };
    Medicao lastRead;
    const QList<InstrumentRecords::Row> rows = InstrumentRecords::rows(instrumentDir, syncedHeaderPaths, &lastRead);
    rowFileNames.clear();
    for (const InstrumentRecords::Row &row : rows) {
        rowFileNames << row.fileName;
        QList<QStandardItem *> items;
        for (const QString &cell : row.cells)
            items << centred(new QStandardItem(cell));
        model->appendRow(items);
        const int r = model->rowCount() - 1;
        if (row.synced)
            model->setItem(r, 4, centred(new QStandardItem(tr("Sincronizado"))));
        if (model->index(r, 4).data(Qt::DisplayRole).toString() != tr("Sincronizado")) {
            auto *mark = centred(new QStandardItem(QStringLiteral("------------")));
            mark->setData(QIcon(QStringLiteral(":/imagens/icons/baixar_dados.png")), Qt::DecorationRole);
            model->setItem(r, 4, mark);
        }
    }
    if (!rows.isEmpty())
        *record() = lastRead;

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

void MainWindow::downloadAllMissingFiles()
{
    updateSyncLists();
    InstrumentRecords::downloadAllMissing(instrumentDir, archiveDir, evaluatorCompany(), evaluatorTechnician(), record());
}

void MainWindow::on_pushButton_BaixarTudo_clicked()
{
    if (!checkInstrumentConnection()) {
        QMessageBox::information(nullptr, tr("Baixar todos os dados"), tr("Instrumento desconectado.\nNão foi possível baixar dados"),
                                 QMessageBox::Ok);
    } else {
        QMessageBox *box = BusyBox::show(QMessageBox::Information, tr("Baixar todos os dados"), tr("Baixando dados do instrumento..."));
        ui->statusBar->showMessage(tr("Baixando dados do instrumento..."));
        refreshInstrumentTable();
        downloadAllMissingFiles();
        allDownloaded = true;
        BusyBox::finish(box, tr("Download Concluído!!"), true);
        ui->statusBar->showMessage(tr("Dados do instrumento foram baixados no computador !!"), resultMessageMs);
    }
    refreshInstrumentTable();
}

void MainWindow::onTableClicked(QModelIndex index)
{
    if (index.column() != 4)
        return;
    if (index.data(Qt::DisplayRole).toString() == tr("Sincronizado"))
        return;
    const int row = index.row();
    if (!checkInstrumentConnection()) {
        QMessageBox::information(nullptr, tr("Baixar Dado"), tr("Instrumento desconectado.\nNão é possivel baixar medida"),
                                 QMessageBox::Ok);
        return;
    }
    if (!Confirmation::ask(tr("Baixar Dado !!"), tr("Tem certeza que deseja baixar esta medida?"), tr("Sim"), tr("Não")))
        return;
    // The scan may have rebuilt the table; the row then names the same
    // file as long as the instrument's content did not change.
    if (row < 0 || row >= rowFileNames.size())
        return;
    const QString base = MeasurementFiles::baseName(rowFileNames.at(row));
    InstrumentRecords::downloadOne(instrumentDir, archiveDir, base, evaluatorCompany(), evaluatorTechnician(), record());
    refreshInstrumentTable();
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
        configDialog = new Config(nullptr, instrumentDir + QStringLiteral("/config_nvx2200.cfg"));
        configDialog->show();
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

void MainWindow::loadProfiles()
{
    QStringList parts;
    if (!EvaluatorProfile::read(profileDir + QStringLiteral("/perfil.id"), &parts))
        return;
    // A file with fewer than three values shows the missing ones empty.
    ui->label_TextEmpAvaliadora->setText(parts.value(0));
    ui->radioButton_usuario1->setText(parts.value(1));
    ui->radioButton_usuario2->setText(parts.value(2));
}

void MainWindow::on_actionAdicionar_Perfil_triggered()
{
    on_pushButton_clicked();
}

void MainWindow::on_pushButton_clicked()
{
    profileDialog = new Perfil(nullptr, profileDir + QStringLiteral("/perfil.id"));
    profileDialog->exec();
    loadProfiles();
}

void MainWindow::on_actionDeletar_Tudo_triggered()
{
    if (!checkInstrumentConnection()) {
        QMessageBox::information(nullptr, tr("Deletar"), tr("Instrumento desconectado.\nNão é possivel deletar dados"),
                                 QMessageBox::Ok);
        return;
    }
    const QString question =
        allDownloaded ? tr("Tem certeza que quer deletar todos os arquivos do equipamento?")
                      : tr("Seus dados não foram baixados, deseja excluir todos os arquivos do equipamento mesmo assim?");
    if (!Confirmation::ask(tr("Deletar todos os dados"), question, tr("Sim"), tr("Não")))
        return;

    ui->statusBar->showMessage(tr("Deletando dados do Instrumento ..."));
    QMessageBox *box = BusyBox::show(QMessageBox::Information, tr("Deletar todos os dados"), tr("Deletando dados do Instrumento ..."));
    MeasurementFiles::deleteMeasurementFiles(instrumentDir);
    allDownloaded = false;
    BusyBox::finish(box, tr("Dados deletados !!"), false);
    ui->statusBar->showMessage(tr("Dados deletados!"), resultMessageMs);
    refreshInstrumentTable();
}

void MainWindow::on_actionImportar_triggered()
{
    const QStringList files = FileDialogs::current().getOpenFileNames(this, QStringLiteral("Importar Arquivos"), QDir::homePath(),
                                                                      MeasurementFiles::fileFilter());
    MeasurementFiles::importInto(files, archiveDir);
}

void MainWindow::on_actionExportar_triggered()
{
    const QStringList files = FileDialogs::current().getOpenFileNames(this, QStringLiteral("Escolha arquivos para exportar"),
                                                                      archiveDir, MeasurementFiles::fileFilter());
    const QString folder = FileDialogs::current().getExistingDirectory(
        this, tr("Escolha destino da exportação"), QStringLiteral("/home"),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    // A cancelled destination chooses nothing, and nothing is copied.
    MeasurementFiles::exportTo(files, folder);
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
