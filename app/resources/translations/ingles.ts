<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="pt_BR">
<context>
    <name>Config</name>
    <message>
        <source>Configuração de Instrumento</source>
        <translation>Instrument Configuration</translation>
    </message>
    <message>
        <source>Dados</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Ponderação do Tempo:</source>
        <translation>Time Weighting:</translation>
    </message>
    <message>
        <source>Ponderação do Frequência:</source>
        <translation>Frequency Weighting:</translation>
    </message>
    <message>
        <source>Limiar de Nível:</source>
        <translation>Threshold Level:</translation>
    </message>
    <message>
        <source>Nível de Critério:</source>
        <translation>Criterion Level:</translation>
    </message>
    <message>
        <source>Taxa de Troca:</source>
        <translation>Exchange Rate:</translation>
    </message>
    <message>
        <source> Excedência</source>
        <translation> Exceedance</translation>
    </message>
    <message>
        <source>NR - 15</source>
        <translation>NR - 15</translation>
    </message>
    <message>
        <source>NHO - 01</source>
        <translation>NHO - 01</translation>
    </message>
    <message>
        <source>Usuário</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Lenta (S)</source>
        <translation>Slow (S)</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>80</source>
        <translation>80</translation>
    </message>
    <message>
        <source>85</source>
        <translation>85</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>115</source>
        <translation>115</translation>
    </message>
    <message>
        <source>Configurações Gerais</source>
        <translation>General Settings</translation>
    </message>
    <message>
        <source>     Periodo de Amostragem (min):</source>
        <translation>     Sampling Period (min):</translation>
    </message>
    <message>
        <source>     Jornada de Trabalho:</source>
        <translation>     Work Shift:</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Horário de Almoço:</source>
        <translation>Lunch Break:</translation>
    </message>
    <message>
        <source>Inicio:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>HH:mm:ss</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>Duração:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Programar Medida: </source>
        <translation>Schedule Measurement: </translation>
    </message>
    <message>
        <source>Data Inicio:</source>
        <translation>Start Date:</translation>
    </message>
    <message>
        <source>Horário Inicio:</source>
        <translation>Start Time:</translation>
    </message>
    <message>
        <source>Horário Fim:</source>
        <translation>End Time:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Rápida (F)</source>
        <translation>Fast (F)</translation>
    </message>
    <message>
        <source>Impulso (I)</source>
        <translation>Impulse (I)</translation>
    </message>
    <message>
        <source>Configurar Instrumento</source>
        <translation>Configure Instrument</translation>
    </message>
    <message>
        <source>Salvando as configurações no Instrumento ...</source>
        <translation>Saving the settings to the instrument ...</translation>
    </message>
    <message>
        <source>Configuração Finalizada !</source>
        <translation>Configuration complete!</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>RUDAZORAR - TERVANIS</source>
        <translation>RUDAZORAR - TERVANIS</translation>
    </message>
    <message>
        <source>Conectar</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Desconectado</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Id do Equipamento</source>
        <translation>Instrument ID</translation>
    </message>
    <message>
        <source>CONFIGURAR</source>
        <translation>CONFIGURE</translation>
    </message>
    <message>
        <source>Perfil</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Empresa Avaliadora:</source>
        <translation>Evaluating Company:</translation>
    </message>
    <message>
        <source>Responsável Técnico:</source>
        <translation>Technician in Charge:</translation>
    </message>
    <message>
        <source>Usuario 1</source>
        <translation>User 1</translation>
    </message>
    <message>
        <source>Usuario 2</source>
        <translation>User 2</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:16pt; color:#ffffff;"&gt;REGISTROS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:16pt; color:#ffffff;"&gt;RECORDS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Baixar Tudo</source>
        <translation>Download All</translation>
    </message>
    <message>
        <source>Arquivo</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Ferramentas</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Sobre</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Importar</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Exportar</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Sair</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Adicionar Perfil</source>
        <translation>Add Profile</translation>
    </message>
    <message>
        <source>Registros</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Configurar</source>
        <translation>Configure</translation>
    </message>
    <message>
        <source>Deletar Dados do Instrumento</source>
        <translation>Delete Instrument Data</translation>
    </message>
    <message>
        <source>Mudar Idioma</source>
        <translation>Change Language</translation>
    </message>
    <message>
        <source>Atualizar Instrumento</source>
        <translation>Update Instrument</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Dispositivo conectado</source>
        <translation>Device connected</translation>
    </message>
    <message>
        <source>Conectado</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Dispositivo desconectado</source>
        <translation>Device disconnected</translation>
    </message>
    <message>
        <source>Procurando e conectando com o instrumento...</source>
        <translation>Searching for and connecting to the instrument...</translation>
    </message>
    <message>
        <source>Dispositivo conectado!</source>
        <translation>Device connected!</translation>
    </message>
    <message>
        <source>Dispositivo desconectado!</source>
        <translation>Device disconnected!</translation>
    </message>
    <message>
        <source>Nome da Medição</source>
        <translation>Measurement Name</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Horário Inicio</source>
        <translation>Start Time</translation>
    </message>
    <message>
        <source>Duração</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Configurar Instrumento</source>
        <translation>Configure Instrument</translation>
    </message>
    <message>
        <source>Equipamento desconectado.
Não é possivel configurar o instrumento</source>
        <translation>Instrument disconnected.
The instrument cannot be configured</translation>
    </message>
    <message>
        <source>Português</source>
        <translation>Portuguese</translation>
    </message>
    <message>
        <source>Inglês</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Espanhol</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Select the Language</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Sincronizado</source>
        <translation>Synced</translation>
    </message>
    <message>
        <source>Baixar todos os dados</source>
        <translation>Download all data</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não foi possível baixar dados</source>
        <translation>Instrument disconnected.
The data could not be downloaded</translation>
    </message>
    <message>
        <source>Baixando dados do instrumento...</source>
        <translation>Downloading data from the instrument...</translation>
    </message>
    <message>
        <source>Download Concluído!!</source>
        <translation>Download complete!</translation>
    </message>
    <message>
        <source>Dados do instrumento foram baixados no computador !!</source>
        <translation>Instrument data was downloaded to the computer!</translation>
    </message>
    <message>
        <source>Baixar Dado</source>
        <translation>Download Record</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel baixar medida</source>
        <translation>Instrument disconnected.
The measurement cannot be downloaded</translation>
    </message>
    <message>
        <source>Baixar Dado !!</source>
        <translation>Download Record!</translation>
    </message>
    <message>
        <source>Tem certeza que deseja baixar esta medida?</source>
        <translation>Are you sure you want to download this measurement?</translation>
    </message>
    <message>
        <source>Sim</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Deletar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel deletar dados</source>
        <translation>Instrument disconnected.
The data cannot be deleted</translation>
    </message>
    <message>
        <source>Tem certeza que quer deletar todos os arquivos do equipamento?</source>
        <translation>Are you sure you want to delete all files on the instrument?</translation>
    </message>
    <message>
        <source>Seus dados não foram baixados, deseja excluir todos os arquivos do equipamento mesmo assim?</source>
        <translation>Your data has not been downloaded. Delete all files on the instrument anyway?</translation>
    </message>
    <message>
        <source>Deletar todos os dados</source>
        <translation>Delete all data</translation>
    </message>
    <message>
        <source>Deletando dados do Instrumento ...</source>
        <translation>Deleting instrument data ...</translation>
    </message>
    <message>
        <source>Dados deletados !!</source>
        <translation>Data deleted!</translation>
    </message>
    <message>
        <source>Dados deletados!</source>
        <translation>Data deleted!</translation>
    </message>
    <message>
        <source>Escolha destino da exportação</source>
        <translation>Choose the export destination</translation>
    </message>
</context>
<context>
    <name>Medidas</name>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Dosímetro de Ruído - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Noise Dosimeter - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Volta lá</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEDIÇÕES&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEASUREMENTS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Sincronizar dados 
do computador</source>
        <translation>Sync computer 
data</translation>
    </message>
    <message>
        <source>Identificação</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>Configuração</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Resultados</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Gráfico Linhas</source>
        <translation>Line Chart</translation>
    </message>
    <message>
        <source>Gráfico Histograma</source>
        <translation>Histogram Chart</translation>
    </message>
    <message>
        <source>Gráfico Banda</source>
        <translation>Band Chart</translation>
    </message>
    <message>
        <source>Observação</source>
        <translation>Observation</translation>
    </message>
    <message>
        <source>Gerar Relatorio</source>
        <translation>Generate Report</translation>
    </message>
</context>
<context>
    <name>Perfil</name>
    <message>
        <source>Cadastro de Perfil</source>
        <translation>Profile Registration</translation>
    </message>
    <message>
        <source>Empresa Avaliadora:</source>
        <translation>Evaluating Company:</translation>
    </message>
    <message>
        <source>Responsável 1:</source>
        <translation>Technician 1:</translation>
    </message>
    <message>
        <source>Responsável 2:</source>
        <translation>Technician 2:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Select the Language</translation>
    </message>
    <message>
        <source>Idioma:</source>
        <translation>Language:</translation>
    </message>
</context>
<context>
    <name>sobre</name>
    <message>
        <source>Sobre</source>
        <translation>About</translation>
    </message>
    <message>
        <source>NVX - 2200</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Audiodosímetro</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>IEC 61260-1:2014</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>IEC 61252:2002</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>IEC 60651:1979</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>ANSI S1.25:1991 R7</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>NHO 01:2011</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>NR-15</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Tervanis Instrumentos de Medição Ltda</source>
        <translation>Tervanis Measuring Instruments Ltd</translation>
    </message>
    <message>
        <source>Software de gestão do Dosímetro - Versão 6.0v</source>
        <translation>Dosimeter Management Software - Version 6.0v</translation>
    </message>
</context>
</TS>
