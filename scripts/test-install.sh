#!/usr/bin/env bash
# Checks that a built Quorvan installs like a desktop program and packages as a .deb.
#
#   bash scripts/test-install.sh [BUILD_DIR]      (default: build; it must be built already)
#
# Installs BUILD_DIR into a temporary DESTDIR with the prefix /usr, runs the installed programs
# from there, validates the desktop entry, the AppStream metadata, the manual pages, the user
# manual and the bash completion, and removes it again with the uninstall target; installs and
# removes it once more under another prefix, beside a folder and a file of someone else's. Then
# builds the Debian package with cpack in BUILD_DIR, reads its control data and contents and runs
# lintian on it (errors fail, warnings are printed). Prints one line per check and ends with a
# count; the exit status is 1 when any check failed. Checks of the window program are skipped (and
# say so) while the build has no window program. The install lists of BUILD_DIR (from a real
# install, for uninstalling it) are put back as they were.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
build=${1:-build}
[[ $build == /* ]] || build=$root/$build

passed=0
failed=0
skipped=0
ok() { echo "ok    $1"; passed=$((passed + 1)); }
fail() { echo "FAIL  $1"; [[ -n ${2-} ]] && sed 's/^/      /' <<<"$2"; failed=$((failed + 1)); }
skip() { echo "skip  $1"; skipped=$((skipped + 1)); }

if [[ ! -f $build/CMakeCache.txt ]]; then
  echo "test-install: $build is not a configured build folder" >&2
  exit 2
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=io.github.quorvan.Quorvan

work=$(mktemp -d)
# The staged installs below overwrite the lists that uninstall reads; keep those of a real install.
lists=(install_manifest.txt install_folders.txt)
mkdir "$work/lists"
for list in "${lists[@]}"; do [[ -f $build/$list ]] && cp -p "$build/$list" "$work/lists/"; done
restore_lists() {
  for list in "${lists[@]}"; do
    rm -f "$build/$list"
    [[ -f $work/lists/$list ]] && cp -p "$work/lists/$list" "$build/$list"
  done
  rm -rf "$work"
}
trap restore_lists EXIT
stage=$work/stage
usr=$stage/usr

# 1. Install into DESTDIR.
if out=$(DESTDIR=$stage cmake --install "$build" --prefix /usr 2>&1); then
  ok "cmake --install into a DESTDIR with prefix /usr"
else
  fail "cmake --install into a DESTDIR with prefix /usr" "$out"
  echo "test-install: nothing to check without an install"
  echo "test-install: $passed passed, $failed failed, $skipped skipped"
  exit 1
fi
window=0
[[ -x $usr/bin/quorvan ]] && window=1

# 2. Layout: every file where the desktop and the programs look for it.
expected=(
  bin/quorvan-cli
  share/quorvan/qrv_e.dat
  share/man/man1/quorvan-cli.1.gz
  share/bash-completion/completions/quorvan-cli
  share/doc/quorvan/copyright
  share/doc/quorvan/changelog.gz
  share/doc/quorvan/manual/en/index.html
  share/doc/quorvan/manual/de/index.html
)
if ((window)); then
  expected+=(
    bin/quorvan
    share/man/man1/quorvan.1.gz
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
  )
  for size in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png"); done
fi
missing=()
for file in "${expected[@]}"; do [[ -f $usr/$file ]] || missing+=("$file"); done
if ((${#missing[@]} == 0)); then
  ok "layout: ${#expected[@]} files in place under /usr"
else
  fail "layout: missing under /usr" "$(printf '%s\n' "${missing[@]}")"
fi
if ((window)); then
  wrong=()
  for size in 16 32 48 64 128 256; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -q "PNG image data, $size x $size" ||
      wrong+=("${size}x${size}")
  done
  if ((${#wrong[@]} == 0)); then ok "icons: PNGs of the sizes their folders name"; else fail "icons: wrong size" "${wrong[*]}"; fi
fi

# 3. The installed command-line program finds its program texts in ../share/quorvan.
cli=$usr/bin/quorvan-cli
answer=$(cd "$work" && "$cli" --first 2000-01-01 --second-cal=JDN 2>&1)
if [[ $answer == "2000-01-01 CE = 2,451,545 JDN, Saturday" ]]; then
  ok "installed quorvan-cli answers (program texts found in share/quorvan)"
else
  fail "installed quorvan-cli answers" "$answer"
fi
answer=$("$cli" --version 2>&1)
if [[ $answer == "quorvan-cli $version" ]]; then ok "installed quorvan-cli --version is $version"; else fail "quorvan-cli --version" "$answer"; fi
# Without the program-text file it must refuse to run, not answer without its messages.
mv "$usr/share/quorvan/qrv_e.dat" "$work/qrv_e.dat.away"
answer=$("$cli" --first 2000-01-01 2>&1)
status=$?
mv "$work/qrv_e.dat.away" "$usr/share/quorvan/qrv_e.dat"
if ((status == 2)) && [[ $answer == *qrv_e.dat* ]]; then
  ok "installed quorvan-cli without qrv_e.dat exits with status 2 and names the file"
else
  fail "installed quorvan-cli without qrv_e.dat (status $status)" "$answer"
fi

# 4. The installed window program starts and shows itself (offscreen, own settings folder).
if ((window)); then
  mkdir -p "$work/config"
  answer=$(cd "$work" && QT_QPA_PLATFORM=offscreen QUORVAN_EXIT_AFTER_SHOW=1 XDG_CONFIG_HOME=$work/config \
    timeout 60 "$usr/bin/quorvan" 2>&1)
  status=$?
  if ((status == 0)); then
    ok "installed quorvan starts offscreen and quits after its first frame"
  else
    fail "installed quorvan offscreen start (exit status $status; 124 means it did not quit)" "$answer"
  fi
else
  skip "installed quorvan start: the build has no window program"
fi

# 5. Desktop entry and AppStream metadata. Without a window program neither is installed; the
# source entry and the configured metadata are checked instead, so they are valid when it comes.
if ((window)); then
  desktop=$usr/share/applications/$app_id.desktop
  metainfo=$usr/share/metainfo/$app_id.metainfo.xml
  where="installed"
else
  desktop=$root/data/$app_id.desktop
  metainfo=$build/install/$app_id.metainfo.xml
  where="not installed without the window program; build copy"
fi
if out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]]; then
  ok "desktop-file-validate $app_id.desktop ($where)"
else
  fail "desktop-file-validate $app_id.desktop ($where)" "$out"
fi
if out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
  ok "appstreamcli validate --no-net $app_id.metainfo.xml ($where)"
else
  fail "appstreamcli validate --no-net $app_id.metainfo.xml ($where)" "$out"
fi
if grep -q "<release version=\"$version\"" "$metainfo"; then
  ok "AppStream release entry names version $version"
else
  fail "AppStream release entry does not name version $version"
fi

# 6. Manual pages (compressed with gzip -9n, as Debian wants them) render without a single
# warning, show the version and name the installed manual and program-text file.
pages=("$usr/share/man/man1/quorvan-cli.1.gz")
((window)) && pages+=("$usr/share/man/man1/quorvan.1.gz")
for page in "${pages[@]}"; do
  name=$(basename "$page" .gz)
  gzip -dc "$page" >"$work/$name" 2>/dev/null
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$work/$name.txt")
  status=$?
  if ((status == 0)) && [[ -z $warnings ]] && grep -q "Quorvan $version" "$work/$name.txt"; then
    ok "man --warnings -l $name.gz: no warnings"
  else
    fail "man --warnings -l $name.gz (status $status)" "$warnings"
  fi
  gzip_header=$(od -An -tx1 -j3 -N5 "$page" | tr -d ' \n')
  if [[ $gzip_header == 0000000000 ]]; then
    ok "$name.gz has neither a file name nor a time in its gzip header (gzip -n)"
  else
    fail "$name.gz gzip header: flags and time $gzip_header"
  fi
  if grep -q "/usr/share/doc/quorvan/manual/en/index.html" "$work/$name.txt" &&
    grep -q "/usr/share/doc/quorvan/manual/de/index.html" "$work/$name.txt"; then
    ok "$name names the installed manual under the prefix /usr"
  else
    fail "$name does not name /usr/share/doc/quorvan/manual/{en,de}/index.html"
  fi
done
# Every option that quorvan-cli --help names is documented in its manual page.
undocumented=()
while read -r option; do
  grep -qF -- "$option" "$work/quorvan-cli.1.txt" || undocumented+=("$option")
done < <("$cli" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
if ((${#undocumented[@]} == 0)); then
  ok "quorvan-cli(1) documents every option of --help"
else
  fail "quorvan-cli(1) lacks options of --help" "${undocumented[*]}"
fi

# 7. The examples of the user manual, the manual page and the README are what the installed
# program says.
manuals=("$usr/share/doc/quorvan/manual/en/index.html" "$usr/share/doc/quorvan/manual/de/index.html")
if out=$(python3 scripts/manual-examples.py --check "$usr/bin" "${manuals[@]}" "$work/quorvan-cli.1" \
  README.md 2>&1); then
  ok "manual examples are true: $(tail -n 1 <<<"$out")"
else
  fail "manual examples" "$out"
fi
bad=()
grep -q 'id="about"' "${manuals[0]}" || bad+=("English manual has no id=\"about\"")
for manual in "${manuals[@]}"; do
  grep -q "Quorvan $version" "$manual" || bad+=("$(basename "$(dirname "$manual")") manual does not name version $version")
  # Every link inside the page leads to an anchor of the page.
  for anchor in $(grep -oE 'href="#[^"]+"' "$manual" | sed -E 's/href="#([^"]+)"/\1/' | sort -u); do
    grep -q "id=\"$anchor\"" "$manual" || bad+=("$(basename "$(dirname "$manual")"): no anchor $anchor")
  done
  grep -qE '(src|href)="(https?:)?//' "$manual" && bad+=("$(basename "$(dirname "$manual")") manual loads an outside resource")
done
if ((${#bad[@]} == 0)); then ok "user manuals: about section, version $version, anchors, self-contained"; else fail "user manuals" "$(printf '%s\n' "${bad[@]}")"; fi

# 8. Bash completion offers the options and their values.
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  out=$(PATH=$usr/bin:$PATH bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    complete_line() {
      COMP_LINE=$1; COMP_POINT=${#COMP_LINE}
      read -ra COMP_WORDS <<<"$COMP_LINE"
      [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
      _quorvan_cli quorvan-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      echo "${COMPREPLY[*]}"
    }
    complete_line "quorvan-cli --exclude-w"
    complete_line "quorvan-cli --second-cal "
    complete_line "quorvan-cli --lang "
    complete_line "quorvan-cli --holidays=GB-"' _ "$usr/share/bash-completion/completions/quorvan-cli" 2>&1)
  if [[ $out == $'--exclude-weekends\nCE JC JDN ORD ISO LPW LPM HEB ISL PER FRR COP ETH MAY IND CHN KOR VNM BAH JPN ROC THA RJU\nen de\nGB-EAW GB-SCT GB-NIR' ]]; then
    ok "bash completion: options, calendar codes, languages, region codes"
  else
    fail "bash completion" "$out"
  fi
else
  skip "bash completion: /usr/share/bash-completion/bash_completion is missing (package bash-completion)"
fi

# 9. The uninstall target removes what the install put there, and nothing else.
tree() { (cd "$1" 2>/dev/null && find . -mindepth 1 | sort); }
if out=$(DESTDIR=$stage cmake --build "$build" --target uninstall 2>&1) && [[ -z $(tree "$stage") ]]; then
  ok "uninstall with the same DESTDIR leaves nothing behind"
else
  fail "uninstall with the same DESTDIR" "$out"$'\n'"left: $(tree "$stage")"
fi
# Under another prefix, into a DESTDIR that already holds an empty folder of the install's (which
# uninstall must keep); a file of someone else's appears among the installed ones (kept, with the
# folders that hold it).
other=$work/other
mkdir -p "$other/opt/quorvan/share/man/man1"
if out=$(DESTDIR=$other cmake --install "$build" --prefix /opt/quorvan 2>&1); then
  ok "cmake --install with the prefix /opt/quorvan"
  page=$(gzip -dc "$other/opt/quorvan/share/man/man1/quorvan-cli.1.gz" 2>&1)
  if grep -qF '\%/opt/quorvan/share/doc/quorvan/manual/de/index.html' <<<"$page" &&
    grep -qF '\%/opt/quorvan/share/quorvan/qrv_e.dat' <<<"$page" && ! grep -q '/usr/share' <<<"$page"; then
    ok "quorvan-cli(1) under /opt/quorvan names the manual and qrv_e.dat there"
  else
    fail "quorvan-cli(1) under /opt/quorvan" "$(grep -n 'share' <<<"$page")"
  fi
  before=$(tree "$other")
  out=$(DESTDIR=$work/elsewhere cmake --build "$build" --target uninstall 2>&1)
  status=$?
  if ((status != 0)) && [[ $(tree "$other") == "$before" ]] && [[ ! -e $work/elsewhere ]]; then
    ok "uninstall with another DESTDIR refuses and removes nothing"
  else
    fail "uninstall with another DESTDIR (status $status)" "$out"
  fi
  echo "mine" >"$other/opt/quorvan/share/doc/quorvan/notes.txt"
  out=$(DESTDIR=$other cmake --build "$build" --target uninstall 2>&1)
  left=$(tree "$other" | tr '\n' ' ')
  kept="./opt ./opt/quorvan ./opt/quorvan/share ./opt/quorvan/share/doc ./opt/quorvan/share/doc/quorvan "
  kept+="./opt/quorvan/share/doc/quorvan/notes.txt ./opt/quorvan/share/man ./opt/quorvan/share/man/man1 "
  if [[ $left == "$kept" ]]; then
    ok "uninstall keeps a folder that was there before and a file it did not install"
  else
    fail "uninstall beside other files" "left:    $left"$'\n'"expected: $kept"$'\n'"$out"
  fi
else
  fail "cmake --install with the prefix /opt/quorvan" "$out"
fi

# 10. The Debian package: built by cpack in the build folder, control data and contents.
rm -f "$build"/quorvan_*.deb
if out=$(cd "$build" && cpack -G DEB 2>&1); then
  deb=$(ls "$build"/quorvan_"$version"_*.deb 2>/dev/null | head -n 1)
fi
if [[ -n ${deb-} && -f $deb ]]; then
  ok "cpack -G DEB built $(basename "$deb")"
  info=$(dpkg-deb --info "$deb")
  field() { sed -n "s/^ $1: //p" <<<"$info"; }
  problems=()
  [[ $(field Package) == quorvan ]] || problems+=("Package: $(field Package)")
  [[ $(field Version) == "$version" ]] || problems+=("Version: $(field Version)")
  [[ -n $(field Maintainer) ]] || problems+=("no Maintainer")
  [[ $(field Section) == utils ]] || problems+=("Section: $(field Section)")
  [[ -n $(field Description) ]] || problems+=("no Description")
  depends=$(field Depends)
  for package in libc6 libstdc++6; do [[ $depends == *"$package "* || $depends == *"$package," || $depends == *"$package" ]] || problems+=("Depends lacks $package: $depends"); done
  ((window)) && { [[ $depends == *libqt6widgets6* ]] || problems+=("Depends lacks libqt6widgets6: $depends"); }
  if ((${#problems[@]} == 0)); then ok "dpkg-deb --info: quorvan $version, section utils, depends on $depends"; else fail "dpkg-deb --info" "$(printf '%s\n' "${problems[@]}")"; fi

  contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
  problems=()
  for file in "${expected[@]}"; do grep -qx "./usr/$file" <<<"$contents" || problems+=("missing ./usr/$file"); done
  outside=$(grep -vE '^\./(usr/.*)?$' <<<"$contents" || true)
  [[ -z $outside ]] || problems+=("outside /usr: $outside")
  stray=$(grep -E '\.(a|h|cmake)$|/include/|/lib/' <<<"$contents" || true)
  [[ -z $stray ]] || problems+=("files that do not belong to a program package: $stray")
  if ((${#problems[@]} == 0)); then ok "dpkg-deb --contents: the install layout under /usr and nothing else"; else fail "dpkg-deb --contents" "$(printf '%s\n' "${problems[@]}")"; fi

  # 11. lintian: no errors. Warnings and the rest are printed, so they can be read and mended.
  if command -v lintian >/dev/null 2>&1; then
    report=$(lintian --fail-on error "$deb" 2>&1)
    status=$?
    report=$(grep -v 'running with root privileges' <<<"$report")
    errors=$(grep -c '^E: ' <<<"$report")
    warnings=$(grep -c '^W: ' <<<"$report")
    if ((status == 0 && errors == 0)); then
      ok "lintian $(basename "$deb"): no errors, $warnings warnings"
      [[ -n $report ]] && sed 's/^/      /' <<<"$report"
    else
      fail "lintian $(basename "$deb") (status $status, $errors errors, $warnings warnings)" "$report"
    fi
  else
    fail "lintian is not installed (bash scripts/install-deps.sh installs it)"
  fi
else
  fail "cpack -G DEB" "${out-}"
fi

echo "test-install: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
