#!/usr/bin/env bash
# What the plug-in costs the mail client while it retrieves mail. A user whose plug-in has already
# met the usual mail programs and plug-ins (a stored list) retrieves 1,000 ordinary messages of 4 KB:
# two of them bring a newer version of a plug-in, which the notice at the end tells; then the same
# messages once more, with nothing new. The stand-in host does both in one run, without Quorvel.dll
# and with it, several times each; the medians give the host's time and what the plug-in adds. One
# more run, traced, counts how often the plug-in replaced its settings file (each replacement is a
# flush and a write-through rename on the user's disk).
#   usage: retrieval_bench.sh BUILD_FOLDER [MESSAGES] [ROUNDS]   (run under xvfb-run -a)
#   PLUGIN=path/Quorvel.dll measures that build of the plug-in (of the same width) instead; it must be
#   named Quorvel.dll, since its settings file is named after it.
set -euo pipefail

build=$(cd "$1" && pwd)
plugin=${PLUGIN:-$build/Quorvel.dll}
[ "$(basename "$plugin")" = Quorvel.dll ] || { echo "retrieval_bench.sh: the plug-in must be named Quorvel.dll" >&2; exit 2; }
messages=${2:-1000}
rounds=${3:-9}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
WINEARCH=$(cat "$build/wine-arch")
export WINEARCH
prefix=$build/wineprefix
wine_run() { "$tools/wine-run" "$prefix" "$@"; }

work=$(mktemp -d /tmp/quorvel-retrieval.XXXXXX)
trap 'wine_run --stop; rm -rf "$work"' EXIT
mkdir -p "$work/Becky/PlugIns" "$work/Becky/mail"
cp "$build/B2.exe" "$work/Becky/"

# The messages; the history that the stored list comes from (one message per plug-in); and how many
# of the messages bring something new (each of those brings one finding).
changing=$(python3 - "$work/Becky" "$messages" <<'PYTHON'
import sys
folder, count = sys.argv[1], int(sys.argv[2])
plugins = ["Signetta", "Quillet", "Scrivel", "Morrow", "Tallis", "Ferrant", "Obelin", "Kestra"]
line = "The quick brown fox jumps over the lazy dog, and then it rests a while.\r\n"

def write(name, number, entries):
    header = ("From: sender%d@example.com\r\nTo: user@example.com\r\nSubject: Message %d\r\n"
              "X-Mailer: Becky! ver. 2.80.03\r\nX-Mailer-Plugin: %s\r\n\r\n") % (number, number, ", ".join(entries))
    with open("%s/mail/%s.eml" % (folder, name), "wb") as out:
        out.write((header + line * ((4096 - len(header)) // len(line))).encode("ascii"))
    return "mail\\%s.eml" % name

history = [write("h%d" % i, i, ["%s Ver.1.0" % name]) for i, name in enumerate(plugins)]
minor = dict.fromkeys(plugins, 0)
names, changing = [], 0
for i in range(count):
    # Two plug-ins a message; at a third and at two thirds of the way, one comes in a newer version.
    pair = [plugins[i % 8], plugins[(i // 8 + 1 + i) % 8]]
    if i in (count // 3, 2 * count // 3):
        minor[pair[0]] += 1
        changing += 1
    names.append(write("m%04d" % i, i, ["%s Ver.1.%d" % (name, minor[name]) for name in dict.fromkeys(pair)]))
with open(folder + "/history.txt", "w") as script:
    script.write("start\nretrieve:%s\nexit\n" % ",".join(history))
with open(folder + "/retrieve.txt", "w") as script:
    script.write("start\nretrieve:%s\nretrieve:%s\nexit\n" % (",".join(names), ",".join(names)))
print(changing)
PYTHON
)

wine_run --start
cd "$work/Becky"
# The list the plug-in keeps after it has met the history.
cp "$plugin" PlugIns/
wine_run B2.exe -script:history.txt >/dev/null
mv PlugIns/Quorvel.ini stored.ini

# The milliseconds of the two retrieval steps of one run, on one line: the host's own step times
# (-times), not the whole run, so that starting Wine and the host costs nothing here; then the time
# spent inside the plug-in during each.
retrieval_ms() {
  cp stored.ini PlugIns/Quorvel.ini
  wine_run B2.exe -times -script:retrieve.txt |
    awk '/^> retrieve:/ { on = 1 } on && /^step took/ { step[++n] = $3; inside[n] = $6; on = 0 }
         END { print step[1], step[2], inside[1], inside[2] }'
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
# One line of the report for retrieval $1: the host's median time alone, and the median of what the
# plug-in added in each round (rounds run alone and with it in turn, so a slow spell of the machine
# falls on both halves of a round).
report() {
  local a added inside
  a=$(printf '%s\n' "${alone[@]}" | median "$1")
  added=$(paste -d' ' <(printf '%s\n' "${alone[@]}" | awk -v c="$1" '{ print $c }') \
                      <(printf '%s\n' "${with[@]}" | awk -v c="$1" '{ print $c }') |
          awk '{ print $2 - $1 }' | median 1)
  inside=$(printf '%s\n' "${with[@]}" | median $(($1 + 2)))
  printf '  %-40s host alone %7.1f ms, the plug-in adds %6.1f ms: %+.1f%%\n' "$2" "$a" "$added" \
    "$(awk -v a="$a" -v d="$added" 'BEGIN { print 100 * d / a }')"
  printf '  %-40s %.1f ms inside the plug-in: %.1f us a message, %.1f%% of the host alone\n' "" "$inside" \
    "$(awk -v d="$inside" -v n="$messages" 'BEGIN { print 1000 * d / n }')" \
    "$(awk -v a="$a" -v d="$inside" 'BEGIN { print 100 * d / a }')"
}

# The traced run: the wine server does the renames, so it is started inside the trace.
wine_run --stop
cp stored.ini PlugIns/Quorvel.ini
strace -f -qq -e trace=rename,renameat,renameat2,fsync,fdatasync -o "$work/trace" \
  "$tools/wine-run" "$prefix" B2.exe -script:retrieve.txt >/dev/null
replacements=$(grep -E 'rename.*Quorvel\.ini"' "$work/trace" | grep -cv 'resumed>' || true)
flushes=$(grep -cE '(fsync|fdatasync)\(' "$work/trace" || true)

echo "Retrieval of $messages messages of 4 KB in the stand-in host ($WINEARCH, median of $rounds rounds):"
report 1 "first, $changing newer versions and a notice:"
report 2 "the same messages again, nothing new:"
echo "  the plug-in replaced its settings file $replacements times in both ($flushes flushes in all);"
echo "  the least it can be: $changing, once for each message that changed its list of known software"
