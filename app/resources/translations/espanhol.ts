<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="pt_BR">
<context>
    <name>Config</name>
    <message>
        <source>Configuração de Instrumento</source>
        <translation>Configuración del Instrumento</translation>
    </message>
    <message>
        <source>Dados</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source>Ponderação do Tempo:</source>
        <translation>Ponderación de Tiempo:</translation>
    </message>
    <message>
        <source>Ponderação do Frequência:</source>
        <translation>Ponderación de Frecuencia:</translation>
    </message>
    <message>
        <source>Limiar de Nível:</source>
        <translation>Umbral de Nivel:</translation>
    </message>
    <message>
        <source>Nível de Critério:</source>
        <translation>Nivel de Criterio:</translation>
    </message>
    <message>
        <source>Taxa de Troca:</source>
        <translation>Tasa de Intercambio:</translation>
    </message>
    <message>
        <source> Excedência</source>
        <translation> Excedencia</translation>
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
        <translation>Usuario</translation>
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
        <translation>Configuraciones Generales</translation>
    </message>
    <message>
        <source>     Periodo de Amostragem (min):</source>
        <translation>     Período de Muestreo (min):</translation>
    </message>
    <message>
        <source>     Jornada de Trabalho:</source>
        <translation>     Jornada de Trabajo:</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Horário de Almoço:</source>
        <translation>Horario de Almuerzo:</translation>
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
        <translation>Duración:</translation>
    </message>
    <message>
        <source>Programar Medida: </source>
        <translation>Programar Medición: </translation>
    </message>
    <message>
        <source>Data Inicio:</source>
        <translation>Fecha de Inicio:</translation>
    </message>
    <message>
        <source>Horário Inicio:</source>
        <translation>Hora de Inicio:</translation>
    </message>
    <message>
        <source>Horário Fim:</source>
        <translation>Hora de Fin:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Guardar</translation>
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
        <translation>Guardando la configuración en el instrumento ...</translation>
    </message>
    <message>
        <source>Configuração Finalizada !</source>
        <translation>¡Configuración finalizada!</translation>
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
        <translation>ID del Equipo</translation>
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
        <translation>Empresa Evaluadora:</translation>
    </message>
    <message>
        <source>Responsável Técnico:</source>
        <translation>Responsable Técnico:</translation>
    </message>
    <message>
        <source>Usuario 1</source>
        <translation>Usuario 1</translation>
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
        <translation>Descargar Todo</translation>
    </message>
    <message>
        <source>Arquivo</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Ferramentas</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>Sobre</source>
        <translation>Acerca de</translation>
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
        <translation>Salir</translation>
    </message>
    <message>
        <source>Adicionar Perfil</source>
        <translation>Agregar Perfil</translation>
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
        <translation>Borrar Datos del Instrumento</translation>
    </message>
    <message>
        <source>Mudar Idioma</source>
        <translation>Cambiar Idioma</translation>
    </message>
    <message>
        <source>Atualizar Instrumento</source>
        <translation>Actualizar Instrumento</translation>
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
        <translation>Buscando y conectando con el instrumento...</translation>
    </message>
    <message>
        <source>Dispositivo conectado!</source>
        <translation>¡Dispositivo conectado!</translation>
    </message>
    <message>
        <source>Dispositivo desconectado!</source>
        <translation>¡Dispositivo desconectado!</translation>
    </message>
    <message>
        <source>Nome da Medição</source>
        <translation>Nombre de la Medición</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Horário Inicio</source>
        <translation>Hora de Inicio</translation>
    </message>
    <message>
        <source>Duração</source>
        <translation>Duración</translation>
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
        <translation>Equipo desconectado.
No es posible configurar el instrumento</translation>
    </message>
    <message>
        <source>Português</source>
        <translation>Portugués</translation>
    </message>
    <message>
        <source>Inglês</source>
        <translation>Ingles</translation>
    </message>
    <message>
        <source>Espanhol</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Seleccionar Idioma</translation>
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
        <translation>Descargar todos los datos</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não foi possível baixar dados</source>
        <translation>Instrumento desconectado.
No fue posible descargar los datos</translation>
    </message>
    <message>
        <source>Baixando dados do instrumento...</source>
        <translation>Descargando datos del instrumento...</translation>
    </message>
    <message>
        <source>Download Concluído!!</source>
        <translation>¡Descarga completada!</translation>
    </message>
    <message>
        <source>Dados do instrumento foram baixados no computador !!</source>
        <translation>¡Los datos del instrumento se descargaron en el computador!</translation>
    </message>
    <message>
        <source>Baixar Dado</source>
        <translation>Descargar Dato</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel baixar medida</source>
        <translation>Instrumento desconectado.
No es posible descargar la medición</translation>
    </message>
    <message>
        <source>Baixar Dado !!</source>
        <translation>¡Descargar Dato!</translation>
    </message>
    <message>
        <source>Tem certeza que deseja baixar esta medida?</source>
        <translation>¿Está seguro de que desea descargar esta medición?</translation>
    </message>
    <message>
        <source>Sim</source>
        <translation>Si</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Deletar</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Instrumento desconectado.
Não é possivel deletar dados</source>
        <translation>Instrumento desconectado.
No es posible borrar los datos</translation>
    </message>
    <message>
        <source>Tem certeza que quer deletar todos os arquivos do equipamento?</source>
        <translation>¿Está seguro de que desea borrar todos los archivos del equipo?</translation>
    </message>
    <message>
        <source>Seus dados não foram baixados, deseja excluir todos os arquivos do equipamento mesmo assim?</source>
        <translation>Sus datos no fueron descargados, ¿desea borrar todos los archivos del equipo de todos modos?</translation>
    </message>
    <message>
        <source>Deletar todos os dados</source>
        <translation>Borrar todos los datos</translation>
    </message>
    <message>
        <source>Deletando dados do Instrumento ...</source>
        <translation>Borrando datos del instrumento ...</translation>
    </message>
    <message>
        <source>Dados deletados !!</source>
        <translation>¡Datos borrados!</translation>
    </message>
    <message>
        <source>Dados deletados!</source>
        <translation>¡Datos borrados!</translation>
    </message>
    <message>
        <source>Escolha destino da exportação</source>
        <translation>Elija el destino de la exportación</translation>
    </message>
</context>
<context>
    <name>Medidas</name>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Dosímetro de Ruído - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;Dosímetro de Ruido - NVX - 2200&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Volta lá</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEDIÇÕES&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:20pt; color:#ffffff;"&gt;MEDICIONES&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Sincronizar dados 
do computador</source>
        <translation>Sincronizar datos 
del computador</translation>
    </message>
    <message>
        <source>Identificação</source>
        <translation>Identificación</translation>
    </message>
    <message>
        <source>Configuração</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Resultados</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Gráfico Linhas</source>
        <translation>Gráfico de Líneas</translation>
    </message>
    <message>
        <source>Gráfico Histograma</source>
        <translation>Gráfico Histograma</translation>
    </message>
    <message>
        <source>Gráfico Banda</source>
        <translation>Gráfico de Bandas</translation>
    </message>
    <message>
        <source>Observação</source>
        <translation>Observación</translation>
    </message>
    <message>
        <source>Gerar Relatorio</source>
        <translation>Generar Informe</translation>
    </message>
</context>
<context>
    <name>Perfil</name>
    <message>
        <source>Cadastro de Perfil</source>
        <translation>Registro de Perfil</translation>
    </message>
    <message>
        <source>Empresa Avaliadora:</source>
        <translation>Empresa Evaluadora:</translation>
    </message>
    <message>
        <source>Responsável 1:</source>
        <translation>Responsable 1:</translation>
    </message>
    <message>
        <source>Responsável 2:</source>
        <translation>Responsable 2:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Guardar</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Selecione o Idioma</source>
        <translation>Seleccionar Idioma</translation>
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
        <translation>Acerca de</translation>
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
        <translation>Tervanis Instrumentos de Medición Ltda</translation>
    </message>
    <message>
        <source>Software de gestão do Dosímetro - Versão 6.0v</source>
        <translation>Software de gestión del Dosímetro - Versión 6.0v</translation>
    </message>
</context>
</TS>
