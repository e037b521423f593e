#include "site/searchindex.h"

#include "search/textfold.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace site {

QStringList SearchIndex::words(const QString &text)
{
    const QString folded = search::foldText(text);
    QStringList words;
    QString word;
    for (const QChar c : folded) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

void SearchIndex::add(const QString &stem, const QString &name, const QString &path, const QStringList &texts)
{
    int pathNumber = int(m_paths.indexOf(path));
    if (pathNumber < 0) {
        pathNumber = int(m_paths.size());
        m_paths.append(path);
    }
    const int number = int(m_recipes.size());
    m_recipes.append({stem, name, pathNumber});
    QSet<QString> seen;
    for (const QString &text : texts) {
        for (const QString &word : words(text)) {
            if (word.size() < 2 || seen.contains(word))
                continue;
            seen.insert(word);
            m_words[word].append(number);
        }
    }
}

QByteArray SearchIndex::script() const
{
    QJsonArray recipes;
    for (const Entry &e : m_recipes)
        recipes.append(QJsonArray{e.stem, e.name, e.path});
    QStringList sorted = m_words.keys();
    std::sort(sorted.begin(), sorted.end());
    QJsonObject words;
    for (const QString &word : sorted) {
        QString postings;
        int previous = 0;
        for (const int number : m_words.value(word)) {
            if (!postings.isEmpty())
                postings += u',';
            postings += QString::number(number - previous, 36);
            previous = number;
        }
        words.insert(word, postings);
    }
    const QJsonObject index{{QStringLiteral("r"), recipes},
                            {QStringLiteral("s"), QJsonArray::fromStringList(m_paths)},
                            {QStringLiteral("o"), words}};
    // "<" never stands as itself, so the text could even be put inside a script element.
    return "var retterumIndeks=" + QJsonDocument(index).toJson(QJsonDocument::Compact).replace("<", "\\u003c") + ";\n";
}

QByteArray searchScript()
{
    return QByteArrayLiteral(R"js((function () {
'use strict';
var I = window.retterumIndeks;
var felt = document.getElementById('q');
var ud = document.getElementById('fundet');
var bog = document.getElementById('bog');
if (!I || !felt || !ud || !bog) return;
document.getElementById('soeg').hidden = false;
// Lower case and accents dropped, but æ, ø and å kept: one character for one, as the program folds.
function fold(t) {
  var s = '';
  t = t.toLowerCase();
  for (var i = 0; i < t.length; i++) {
    var c = t[i];
    if (c === 'æ' || c === 'ø' || c === 'å') { s += c; continue; }
    var d = c.normalize('NFD');
    s += d.length > 1 ? d[0] : c;
  }
  return s;
}
var ord = Object.keys(I.o);
function holding(w) {
  var found = new Set();
  for (var k = 0; k < ord.length; k++) {
    if (ord[k].indexOf(w) < 0) continue;
    var n = 0, p = I.o[ord[k]].split(',');
    for (var j = 0; j < p.length; j++) { n += parseInt(p[j], 36); found.add(n); }
  }
  return found;
}
function show(typed) {
  var words = fold(typed).split(/[^\p{L}\p{N}]+/u).filter(function (w) { return w.length > 0; });
  while (ud.firstChild) ud.removeChild(ud.firstChild);
  bog.hidden = words.length > 0;
  ud.hidden = words.length === 0;
  if (!words.length) return;
  var hits = null;
  words.forEach(function (w) {
    var h = holding(w);
    hits = hits === null ? h : new Set(Array.from(hits).filter(function (n) { return h.has(n); }));
  });
  var list = Array.from(hits).sort(function (a, b) { return a - b; });
  var status = document.createElement('p');
  status.textContent = list.length === 1 ? '1 opskrift' : list.length + ' opskrifter';
  ud.appendChild(status);
  var ul = document.createElement('ul');
  ul.className = 'links';
  list.forEach(function (n) {
    var r = I.r[n];
    var li = document.createElement('li');
    var a = document.createElement('a');
    a.href = 'opskrifter/' + r[0] + '.html';
    a.textContent = r[1];
    li.appendChild(a);
    var sti = document.createElement('span');
    sti.className = 'sti';
    sti.textContent = ' · ' + I.s[r[2]];
    li.appendChild(sti);
    ul.appendChild(li);
  });
  ud.appendChild(ul);
}
felt.addEventListener('input', function () { show(felt.value); });
var q = new URLSearchParams(window.location.search).get('q');
if (q) { felt.value = q; }
show(felt.value);
})();
)js");
}

} // namespace site
