<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="pt_BR">
<context>
    <name>Config</name>
    <message>
        <source>Configuração de Instrumento</source>
        <translation>Configuração de Instrumento</translation>
    </message>
    <message>
        <source>Dados</source>
        <translation>Dados</translation>
    </message>
    <message>
        <source>Ponderação do Tempo:</source>
        <translation>Ponderação do Tempo:</translation>
    </message>
    <message>
        <source>Ponderação do Frequência:</source>
        <translation>Ponderação do Frequência:</translation>
    </message>
    <message>
        <source>Limiar de Nível:</source>
        <translation>Limiar de Nível:</translation>
    </message>
    <message>
        <source>Nível de Critério:</source>
        <translation>Nível de Critério:</translation>
    </message>
    <message>
        <source>Taxa de Troca:</source>
        <translation>Taxa de Troca:</translation>
    </message>
    <message>
        <source> Excedência</source>
        <translation> Excedência</translation>
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
        <translation>Usuário</translation>
    </message>
    <message>
        <source>Lenta (S)</source>
        <translation>Lenta (S)</translation>
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
        <translation>Configurações Gerais</translation>
    </message>
    <message>
        <source>     Periodo de Amostragem (min):</source>
        <translation>     Periodo de Amostragem (min):</translation>
    </message>
    <message>
        <source>     Jornada de Trabalho:</source>
        <translation>     Jornada de Trabalho:</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Horário de Almoço:</source>
        <translation>Horário de Almoço:</translation>
    </message>
    <message>
        <source>Inicio:</source>
        <translation>Inicio:</translation>
    </message>
    <message>
        <source>HH:mm:ss</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>Duração:</source>
        <translation>Duração:</translation>
    </message>
    <message>
        <source>Programar Medida: </source>
        <translation>Programar Medida: </translation>
    </message>
    <message>
        <source>Data Inicio:</source>
        <translation>Data Inicio:</translation>
    </message>
    <message>
        <source>Horário Inicio:</source>
        <translation>Horário Inicio:</translation>
    </message>
    <message>
        <source>Horário Fim:</source>
        <translation>Horário Fim:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Rápida (F)</source>
        <translation>Rápida (F)</translation>
    </message>
    <message>
        <source>Impulso (I)</source>
        <translation>Impulso (I)</translation>
    </message>
    <message>
        <source>Configurar Instrumento</source>
        <translation>Configurar Instrumento</translation>
    </message>
    <message>
        <source>Salvando as configurações no Instrumento ...</source>
        <translation>Salvando as configurações no Instrumento ...</translation>
    </message>
    <message>
        <source>Configuração Finalizada !</source>
        <translation>Configuração Finalizada !</translation>
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
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Desconectado</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Id do Equipamento</source>
        <translation>Id do Equipamento</translation>
    </message>
    <message>
        <source>CONFIGURAR</source>
        <translation>CONFIGURAR</translation>
    </message>
    <message>
        <source>Perfil</source>
        <translation>Perfil</translation>
    </message>
    <message>
        <source>Empresa Avaliadora:</source>
        <translation>Empresa Avaliadora:</translation>
    </message>
    <message>
        <source>Responsável Técnico:</source>
        <translation>Responsável Técnico:</translation>
    </message>
    <message>
        <source>Usuario 1</source>
        <translation>Usuário 1</translation>
    </message>
    <message>
        <source>Usuario 2</source>
        <translation>Usuario 2</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:16pt; color:#ffffff;"&gt;REGISTROS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:16pt; color:#ffffff;"&gt;REGISTROS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Baixar Tudo</source>
        <translation>Baixar Tudo</translation>
    </message>
    <message>
        <source>Arquivo</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>Ferramentas</source>
        <translation>Ferramentas</translation>
    </message>
    <message>
        <source>Sobre</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Importar</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Exportar</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Sair</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Adicionar Perfil</source>
        <translation>Adicionar Perfil</translation>
    </message>
    <message>
        <source>Registros</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Configurar</source>
        <translation>Configurar</translation>
    </message>
    <message>
        <source>Deletar Dados do Instrumento</source>
        <translation>Deletar Dados do Instrumento</translation>
    </message>
    <message>
        <source>Mudar Idioma</source>
        <translation>Mudar Idioma</translation>
    </message>
    <message>
        <source>Atualizar Instrumento</source>
        <translation>Atualizar Instrumento</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Dispositivo conectado</source>
        <translation>Dispositivo conectado</translation>
    </message>
    <message>
        <source>Conectado</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Dispositivo desconectado</source>
        <translation>Dispositivo desconectado</translation>
    </message>
    <message>
        <source>Procurando e conectando com o instrumento...</source>
        <translation>Procurando e conectando com o instrumento ...</translation>
    </message>
    <message>
        <source>Dispositivo conectado!</source>
        <translation>Dispositivo conectado!</translation>
    </message>
    <message>
        <source>Dispositivo desconectado!</source>
        <translation>Dispositivo desconectado!</translation>
    </message>
    <message>
        <source>Nome da Medição</source>
        <translation>Nome da Medição</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Horário Inicio</source>
        <translation>Horário Inicio</translation>
    </message>
    <message>
        <source>Duração</source>
        <translation>Duração</translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished" />
    </message>
    <message>
        <source>Configurar Instrumento</source>
        <translation>Configurar Instrumento</translation>
    </message>
    <message>
        <source>Equipamento desconectado.
Não é possivel configurar o instrumento</source>
        <translation>Equipamento desconectado.
Não é possivel configurar o instrumento</translation>
    </message>
    <message>
        <source>Português</source>
        <translation>Português</translation>
    </message>
    <message>
        <source>Inglês</source>
        <translation>Inglês</translation>
    </message>
    <message>
        <source>Espanhol</source>
        <translation>Espanhol</translation>
    </message>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Selecione o Idioma</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Sincronizado</source>
        <translation>Sincronizado</translation>
    </message>
    <message>
        <source>Baixar todos os dados</source>
        <translation>Baixar todos os dados</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não foi possível baixar dados</source>
        <translation>Instrumento desconectado.
Não foi possível baixar dados</translation>
    </message>
    <message>
        <source>Baixando dados do instrumento...</source>
        <translation>Baixando dados do instrumento...</translation>
    </message>
    <message>
        <source>Download Concluído!!</source>
        <translation>Download Concluído!!</translation>
    </message>
    <message>
        <source>Dados do instrumento foram baixados no computador !!</source>
        <translation>Dados do instrumento foram baixados no computador !!</translation>
    </message>
    <message>
        <source>Baixar Dado</source>
        <translation>Baixar Dado</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel baixar medida</source>
        <translation>Instrumento desconectado.
Não é possivel baixar medida</translation>
    </message>
    <message>
        <source>Baixar Dado !!</source>
        <translation>Baixar Dado !!</translation>
    </message>
    <message>
        <source>Tem certeza que deseja baixar esta medida?</source>
        <translation>Tem certeza que deseja baixar esta medida?</translation>
    </message>
    <message>
        <source>Sim</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>Deletar</source>
        <translation>Deletar</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel deletar dados</source>
        <translation>Instrumento desconectado.
Não é possivel deletar dados</translation>
    </message>
    <message>
        <source>Tem certeza que quer deletar todos os arquivos do equipamento?</source>
        <translation>Tem certeza que quer deletar todos os arquivos do dispositivo?</translation>
    </message>
    <message>
        <source>Seus dados não foram baixados, deseja excluir todos os arquivos do equipamento mesmo assim?</source>
        <translation>Seus dados não foram baixados, deseja excluir todos os arquivos do equipamento mesmo assim?</translation>
    </message>
    <message>
        <source>Deletar todos os dados</source>
        <translation>Deletar todos os dados</translation>
    </message>
    <message>
        <source>Deletando dados do Instrumento ...</source>
        <translation>Deletando dados do Instrumento ...</translation>
    </message>
    <message>
        <source>Dados deletados !!</source>
        <translation>Dados deletados !</translation>
    </message>
    <message>
        <source>Dados deletados!</source>
        <translation>Dados deletados !</translation>
    </message>
    <message>
        <source>Escolha destino da exportação</source>
        <translation>Escolha destino da exportação</translation>
    </message>
</context>
<context>
    <name>Medidas</name>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Dosímetro de Ruído - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Dosímetro de Ruído - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Volta lá</source>
        <translation>Volta lá</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEDIÇÕES&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEDIÇÕES&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Sincronizar dados 
do computador</source>
        <translation>Sincronizar dados 
do computador</translation>
    </message>
    <message>
        <source>Identificação</source>
        <translation>Identificação</translation>
    </message>
    <message>
        <source>Configuração</source>
        <translation>Configuração</translation>
    </message>
    <message>
        <source>Resultados</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Gráfico Linhas</source>
        <translation>Gráfico Linhas</translation>
    </message>
    <message>
        <source>Gráfico Histograma</source>
        <translation>Gráfico Histograma</translation>
    </message>
    <message>
        <source>Gráfico Banda</source>
        <translation>Gráfico Banda</translation>
    </message>
    <message>
        <source>Observação</source>
        <translation>Observação</translation>
    </message>
    <message>
        <source>Gerar Relatorio</source>
        <translation>Gerar Relatorio</translation>
    </message>
</context>
<context>
    <name>Perfil</name>
    <message>
        <source>Cadastro de Perfil</source>
        <translation>Alterar Perfil</translation>
    </message>
    <message>
        <source>Empresa Avaliadora:</source>
        <translation>Empresa Avaliadora:</translation>
    </message>
    <message>
        <source>Responsável 1:</source>
        <translation>Responsável 1:</translation>
    </message>
    <message>
        <source>Responsável 2:</source>
        <translation>Responsável 2:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Salvar</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Selecione o Idioma</translation>
    </message>
    <message>
        <source>Idioma:</source>
        <translation>Idioma:</translation>
    </message>
</context>
<context>
    <name>sobre</name>
    <message>
        <source>Sobre</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>NVX - 2200</source>
        <translation>NVX - 2200</translation>
    </message>
    <message>
        <source>Audiodosímetro</source>
        <translation>Audiodosímetro</translation>
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
        <translation>Tervanis Instrumentos de Medição Ltda</translation>
    </message>
    <message>
        <source>Software de gestão do Dosímetro - Versão 6.0v</source>
        <translation>Software de gestão do Dosímetro - Versão 6.0v</translation>
    </message>
</context>
</TS>
