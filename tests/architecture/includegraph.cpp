#include "includegraph.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QQueue>
#include <QRegularExpression>
#include <algorithm>

namespace arch {

namespace {

using FolderEdges = QMap<QString, QMap<QString, QString>>;  // from → to → the include

QString resolve(const QDir& root, const QString& file, const QString& name,
                const QStringList& includeRoots) {
    QStringList bases{QFileInfo(file).path()};
    bases += includeRoots;
    for (const QString& base : std::as_const(bases)) {
        const QString path = QDir::cleanPath(base.isEmpty() ? name : base + '/' + name);
        if (QFileInfo(root.filePath(path)).isFile()) return path;
    }
    return {};
}

QStringList projectIncludes(const QDir& root, const QString& file,
                            const QStringList& includeRoots) {
    QFile source(root.filePath(file));
    if (!source.open(QIODevice::ReadOnly)) return {};
    QStringList found;
    for (const QString& name : includesIn(QString::fromUtf8(source.readAll()))) {
        if (name.startsWith('<')) {
            found << name;
        } else {
            const QString path = resolve(root, file, name, includeRoots);
            found << (path.isEmpty() ? '"' + name + '"' : path);
        }
    }
    return found;
}

FolderEdges folderEdges(const Graph& graph) {
    FolderEdges edges;
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        const QString from = folderOf(it.key());
        for (const QString& target : it.value()) {
            const QString to = folderOf(target);
            if (target.startsWith('<') || target.startsWith('"') || to == from ||
                edges[from].contains(to))
                continue;
            edges[from][to] = it.key() + " includes " + target;
        }
    }
    return edges;
}

QString cycleMessage(const FolderEdges& edges, QStringList cycle) {
    QStringList steps;
    for (qsizetype i = 0; i + 1 < cycle.size(); ++i)
        steps << edges.value(cycle[i]).value(cycle[i + 1]);
    return "cycle " + cycle.join(" -> ") + ": " + steps.join("; ");
}

bool covers(const QString& scope, const QString& file) {
    return file == scope || file.startsWith(scope + '/');
}

}  // namespace

QStringList includesIn(const QString& text) {
    static const QRegularExpression include(
        QStringLiteral(R"re(^[ \t]*#[ \t]*include[ \t]*(?:"([^"]+)"|<([^>]+)>))re"),
        QRegularExpression::MultilineOption);
    QStringList names;
    for (const QRegularExpressionMatch& match : include.globalMatch(text)) {
        names << (match.hasCaptured(1) ? match.captured(1) : '<' + match.captured(2) + '>');
    }
    return names;
}

Graph scanTree(const QString& root, const QStringList& folders, const QStringList& includeRoots) {
    const QDir rootDir(root);
    Graph graph;
    for (const QString& folder : folders) {
        QDirIterator files(rootDir.filePath(folder), {"*.h", "*.cpp"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = rootDir.relativeFilePath(files.next());
            graph.insert(file, projectIncludes(rootDir, file, includeRoots));
        }
    }
    return graph;
}

QString folderOf(const QString& file) {
    const QStringList parts = file.split('/');
    if (parts.size() == 2 && parts[0] == "app")
        return "app/" + QFileInfo(parts[1]).completeBaseName();
    return parts.mid(0, qMin<qsizetype>(2, parts.size() - 1)).join('/');
}

QStringList folderCycles(const Graph& graph) {
    const FolderEdges edges = folderEdges(graph);
    QHash<QString, bool> onPath;  // visited folders; true while on the current path
    QStringList path;
    QStringList messages;
    std::function<void(const QString&)> visit = [&](const QString& folder) {
        onPath[folder] = true;
        path << folder;
        for (const QString& next : edges.value(folder).keys()) {
            if (onPath.value(next))
                messages << cycleMessage(edges, path.mid(path.indexOf(next)) << next);
            else if (!onPath.contains(next))
                visit(next);
        }
        path.removeLast();
        onPath[folder] = false;
    };
    for (const QString& folder : edges.keys()) {
        if (!onPath.contains(folder)) visit(folder);
    }
    return messages;
}

QStringList chainTo(const Graph& graph, const QString& file, const NodeTest& forbidden) {
    QHash<QString, QString> cameFrom{{file, QString()}};
    QQueue<QString> queue{{file}};
    while (!queue.isEmpty()) {
        const QString node = queue.dequeue();
        if (node != file && forbidden(node)) {
            QStringList chain;
            for (QString step = node; !step.isEmpty(); step = cameFrom.value(step))
                chain.prepend(step);
            return chain;
        }
        for (const QString& next : graph.value(node)) {
            if (cameFrom.contains(next)) continue;
            cameFrom.insert(next, node);
            queue.enqueue(next);
        }
    }
    return {};
}

QStringList ruleViolations(const Graph& graph, const QString& rulesText, const QString& rule,
                           const NodeTest& forbidden) {
    QStringList scopes;
    QStringList exceptions;
    for (const QString& line : rulesText.split('\n')) {
        const QStringList words = line.simplified().split(' ', Qt::SkipEmptyParts);
        if (words.size() == 2 && words[0] == rule) scopes << words[1];
        if (words.size() == 3 && words[0] == "except" && words[1] == rule) exceptions << words[2];
    }
    QStringList messages;
    for (auto it = graph.cbegin(); it != graph.cend(); ++it) {
        const QString& file = it.key();
        if (std::none_of(scopes.cbegin(), scopes.cend(),
                         [&](const QString& scope) { return covers(scope, file); }))
            continue;
        const QStringList chain = chainTo(graph, file, forbidden);
        if (!chain.isEmpty() && !exceptions.contains(file))
            messages << rule + ": " + chain.join(" > ");
    }
    for (const QString& file : std::as_const(exceptions)) {
        if (!graph.contains(file) || chainTo(graph, file, forbidden).isEmpty())
            messages << rule + ": " + file + " no longer breaks the rule; remove its exception";
    }
    return messages;
}

}  // namespace arch
