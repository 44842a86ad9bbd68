#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// The include graph of the source tree and the layering rules checked on it.
namespace arch {

// Each file (its path below the source root) with what it includes, in order: project
// files by their path, angle includes as written ("<QWidget>"), quoted includes found
// nowhere in quotes.
using Graph = QMap<QString, QStringList>;
using NodeTest = std::function<bool(const QString& node)>;

// The includes of a source text: "x/y.h" as x/y.h, <QWidget> as <QWidget>.
QStringList includesIn(const QString& text);

// Every .h and .cpp below folders of root. A quoted include is looked up beside the
// including file, then below each include root.
Graph scanTree(const QString& root, const QStringList& folders, const QStringList& includeRoots);

// A file's node in the folder graph: app/<name> for a file pair directly in app/, else the
// first two parts of its path (app/song, midicontrols/module), or its library (tapcell).
QString folderOf(const QString& file);

// One message per cycle of the folder graph, naming an include for each of its steps.
QStringList folderCycles(const Graph& graph);

// The shortest chain of includes from file to a node that forbidden accepts, file first;
// empty when there is none.
QStringList chainTo(const Graph& graph, const QString& file, const NodeTest& forbidden);

// The files that a rule covers and that reach a forbidden node, each with its chain, as
// rulesText lists them: "<rule> <path>" covers a file or every file below a folder (a
// missing one is skipped), "except <rule> <file>" lets a file break the rule; an exception
// for a file that keeps the rule is itself reported, so it goes with the fix.
QStringList ruleViolations(const Graph& graph, const QString& rulesText, const QString& rule,
                           const NodeTest& forbidden);

}  // namespace arch
