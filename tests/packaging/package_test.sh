#!/usr/bin/env bash
# Makes the Debian package of a build tree, unpacks it into a scratch folder
# and runs what it unpacked: the program and, through it, the unpacked
# converters. Then the manual pages must name every option each program's
# --help names and no other, and the package must pass scripts/check-deb.
set -uo pipefail

cpack="$1" build="$2" source="$3"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
version=$("$build/program/veltrim" --version | sed -n 's/^veltrim //p')
deb="$scratch/out/veltrim_${version}_$(dpkg --print-architecture).deb"
[[ -f "$deb" ]] || fail "no package named $(basename "$deb"): $(ls "$scratch/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[[ "$(field Version)" == "$version" ]] || fail "package version $(field Version), program $version"
depends=$(field Depends)
for needed in libqt6widgets6 libzip4 libmd4c0 libpugixml1v5 fonts-dejavu-core; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
for f in usr/bin/veltrim usr/lib/veltrim/marktext usr/lib/veltrim/slidetext \
         usr/lib/veltrim/help/index.html usr/lib/veltrim/assets/veltrim.bmp \
         usr/share/applications/veltrim.desktop usr/share/mime/packages/veltrim-gemini.xml \
         usr/share/icons/hicolor/scalable/apps/veltrim.svg usr/share/doc/veltrim/examples/welcome.gmi; do
  [[ -e "$root/$f" ]] || fail "not in the package: $f"
done

veltrim="$root/usr/bin/veltrim"
[[ "$("$veltrim" --version)" == "veltrim $version" ]] || fail "--version says: $("$veltrim" --version 2>&1)"
fixtures="$source/tests/tools/fixtures"
export TMPDIR="$scratch"
for input in readme.md real-deck.pptx; do
  outline=$("$veltrim" --outline "$fixtures/$input" 2>&1) || fail "--outline $input: $outline"
  grep -q $'^1\t' <<<"$outline" && grep -q $'^total\t' <<<"$outline" || fail "--outline $input printed: $outline"
done
# The program runs the converters beside itself: without the unpacked
# marktext, a Markdown file cannot be read.
mv "$root/usr/lib/veltrim/marktext" "$scratch/marktext.away"
"$veltrim" --outline "$fixtures/readme.md" >/dev/null 2>&1 && fail "--outline ran a marktext other than the unpacked one"
mv "$scratch/marktext.away" "$root/usr/lib/veltrim/marktext"

# Options as a program's --help names them, and as its manual page does.
help_options() { "$@" --help | grep -oE '(^|[][ ,|])--?[a-zA-Z][a-zA-Z-]*' | grep -oE -- '--?[a-zA-Z-]+' | sort -u; }
page_options() {
  zcat "$1" | grep -v '^\.\\"' | grep -oE '(^|[ ("])\\-(\\-)?[a-zA-Z][a-zA-Z-]*' | grep -oE '\\-.*' |
    sed 's/\\-/-/g' | sort -u
}
for program in veltrim marktext slidetext; do
  binary="$root/usr/lib/veltrim/$program"
  page="$root/usr/share/man/man1/$program.1.gz"
  [[ -f "$page" ]] || fail "no manual page for $program"
  differ=$(diff <(help_options "$binary") <(page_options "$page")) ||
    fail "$program: --help (<) and its manual page (>) name different options:"$'\n'"$differ"
done

"$source/scripts/check-deb" "$deb" || fail "scripts/check-deb found faults in the package"
echo "PASS"
