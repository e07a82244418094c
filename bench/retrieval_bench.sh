#!/usr/bin/env bash
# What the plug-in costs the mail client while it retrieves mail. The stand-in host retrieves 1,000
# ordinary messages (4 KB each, most from mail programs and plug-ins already met) twice in one run:
# the first time a few bring findings (and the notice at the end), the second time nothing is new.
# It does so without Quorvel.dll and with it, several times each; the median times of each retrieval
# give the plug-in's share. One more run, traced, counts how often the plug-in replaced its settings
# file (each replacement is a flush and a write-through rename on the user's disk).
#   usage: retrieval_bench.sh BUILD_FOLDER [MESSAGES] [ROUNDS]   (run under xvfb-run -a)
#   PLUGIN=path/Quorvel.dll measures that build of the plug-in (of the same width) instead.
set -euo pipefail

build=$(cd "$1" && pwd)
plugin=${PLUGIN:-$build/Quorvel.dll}
messages=${2:-1000}
rounds=${3:-5}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
WINEARCH=$(cat "$build/wine-arch")
export WINEARCH
prefix=$build/wineprefix
wine_run() { "$tools/wine-run" "$prefix" "$@"; }

work=$(mktemp -d /tmp/quorvel-retrieval.XXXXXX)
trap 'wine_run --stop; rm -rf "$work"' EXIT
mkdir -p "$work/Becky/PlugIns" "$work/Becky/mail"
cp "$build/B2.exe" "$work/Becky/"

# The messages, and how many of them bring the plug-in something new (a name it has not met or a
# newer version); each such message brings exactly one finding.
changing=$(python3 - "$work/Becky" "$messages" <<'PYTHON'
import sys
folder, count = sys.argv[1], int(sys.argv[2])
plugins = ["Signetta", "Quillet", "Scrivel", "Morrow", "Tallis", "Ferrant", "Obelin", "Kestra"]
known = {}  # plug-in -> the newest minor version met
changing = 0
names = []
for i in range(count):
    # The first message names no plug-in; every other one names two. A name not met before, or now
    # and then a newer version, is the one finding of its message; a second new name waits.
    finding = False
    entries = []
    for name in dict.fromkeys([plugins[i % 8], plugins[(i // 8) % 8]] if i else []):
        if name not in known:
            if finding:
                continue
            known[name] = 0
            finding = True
        elif i % 97 == 50 and not finding:
            known[name] += 1
            finding = True
        entries.append("%s Ver.1.%d" % (name, known[name]))
    changing += finding
    plugin_header = "X-Mailer-Plugin: %s\r\n" % ", ".join(entries) if entries else ""
    header = ("From: sender%d@example.com\r\nTo: user@example.com\r\nSubject: Message %d\r\n"
              "X-Mailer: Becky! ver. 2.80.03\r\n%s\r\n") % (i, i, plugin_header)
    line = "The quick brown fox jumps over the lazy dog, and then it rests a while.\r\n"
    body = line * ((4096 - len(header)) // len(line))
    name = "mail\\m%04d.eml" % i
    names.append(name)
    with open("%s/mail/m%04d.eml" % (folder, i), "wb") as out:
        out.write((header + body).encode("ascii"))
# The same messages twice: at the second retrieval the plug-in has met everything.
with open(folder + "/retrieve.txt", "w") as script:
    script.write("start\nretrieve:%s\nretrieve:%s\nexit\n" % (",".join(names), ",".join(names)))
print(changing)
PYTHON
)

wine_run --start
cd "$work/Becky"
# The milliseconds of the two retrieval steps of one run, on one line.
retrieval_ms() {
  rm -f PlugIns/Quorvel.ini
  wine_run B2.exe -times -script:retrieve.txt |
    awk '/^> retrieve:/ { on = 1 } on && /^step took/ { printf "%s ", $3; on = 0 } END { print "" }'
}
# The median of the numbers in column $1 of the lines read.
median() {
  awk -v c="$1" '{ print $c }' | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

alone=() with=()
for ((round = 0; round < rounds; ++round)); do
  rm -f PlugIns/Quorvel.dll
  alone+=("$(retrieval_ms)")
  cp "$plugin" PlugIns/
  with+=("$(retrieval_ms)")
done
# One line of the report: what the host alone took and what the plug-in added, for retrieval $1.
report() {
  local a w
  a=$(printf '%s\n' "${alone[@]}" | median "$1")
  w=$(printf '%s\n' "${with[@]}" | median "$1")
  printf '  %-44s host alone %7.1f ms, with the plug-in %7.1f ms: +%.1f%%\n' "$2" "$a" "$w" \
    "$(awk -v a="$a" -v w="$w" 'BEGIN { print 100 * (w - a) / a }')"
}

# The traced run: the wine server does the renames, so it is started inside the trace.
wine_run --stop
rm -f PlugIns/Quorvel.ini
strace -f -qq -e trace=rename,renameat,renameat2,fsync,fdatasync -o "$work/trace" \
  "$tools/wine-run" "$prefix" B2.exe -script:retrieve.txt >/dev/null
replacements=$(grep -E 'rename.*Quorvel\.ini"' "$work/trace" | grep -cv 'resumed>' || true)
flushes=$(grep -cE '(fsync|fdatasync)\(' "$work/trace" || true)

echo "Retrieval of $messages messages of 4 KB in the stand-in host ($WINEARCH, median of $rounds rounds):"
report 1 "first, $changing findings and their notice:"
report 2 "the same messages again, nothing new:"
echo "  the plug-in replaced its settings file $replacements times in both ($flushes flushes in all); the"
echo "  least it can be: $((changing + 1)), for the $changing messages that changed the list of known"
echo "  software and the list seeded at the first message, never saved before"
