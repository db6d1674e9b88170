#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/install-deps.sh against stand-ins for apt and dpkg on PATH, with no network: an
# archive whose update fails a few times and then succeeds, one that always fails, and one
# whose i386 index is out of step with its release file. Checks the tries, the pauses, the
# one-line messages, the exit codes, and which served index is taken in place of a refused one.
# Usage: install_deps_test.sh SCRIPT WORK_FOLDER
set -uo pipefail
script=$(realpath "$1")
work=$(realpath -m "$2")
failures=0

check() { # check DESCRIPTION COMMAND...
  if ! "${@:2}"; then
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
  fi
}

# The stand-ins. Every package is missing; apt-get's update fails while $work/update-failures
# counts down (for ever when it holds "always"), with the messages the real one prints.
bin=$work/bin
rm -rf "$work"
mkdir -p "$bin" "$work/lists"
cat >"$bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "$*" >>"$STANDIN/apt-get.calls"
index=http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
case " $* " in
  *" update "*)
    left=$(cat "$STANDIN/update-failures")
    [ "$left" = 0 ] && exit 0
    [ "$left" = always ] || echo $((left - 1)) >"$STANDIN/update-failures"
    if [ -f "$STANDIN/i386" ]; then
      echo "E: Failed to fetch $index  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
    else
      echo "E: Failed to fetch http://deb.example/debian/dists/bookworm/InRelease  Could not connect to deb.example:80"
    fi
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  *" -s "*)
    echo "Inst libpcre2-8-0:i386 (10.42-1+deb12u2 Debian-Security:12/oldstable-security [i386])"
    echo "Inst wine32:i386 (8.0~repack-4 Debian:12.12/oldstable [i386])" ;;
  *" install "*)
    if [ ! -f "$STANDIN/i386" ] && [ "$(cat "$STANDIN/update-failures")" = always ]; then
      echo "E: Failed to fetch http://deb.example/debian/pool/main/w/wine/wine32_8.0~repack-4_i386.deb  Could not connect to deb.example:80"
      exit 100
    fi
    if [ -f "$STANDIN/i386" ] && [ ! -f "$STANDIN/lists/deb.example_debian-security_dists_bookworm-security_main_binary-i386_Packages" ]; then
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi ;;
esac
SH
cat >"$bin/apt-helper" <<'SH'
#!/usr/bin/env bash
case $1 in
  -o) shift 2 ;;
esac
case $1 in
  download-file) cp "$STANDIN/served-index" "$3" ;;
  cat-file) shift; cat "$@" ;;
esac
SH
cat >"$bin/apt-config" <<'SH'
#!/usr/bin/env bash
echo "L='$STANDIN/lists/'"
SH
printf '#!/bin/sh\nexit 1\n' >"$bin/dpkg-query"
printf '#!/bin/sh\ncase $1 in --print-architecture) echo amd64 ;; *) cat "$STANDIN/foreign" ;; esac\n' >"$bin/dpkg"
printf '#!/bin/sh\necho "$1" >>"$STANDIN/pauses"\n' >"$bin/sleep"
printf '#!/bin/sh\necho bg_BG.utf8\n' >"$bin/locale"
printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
chmod +x "$bin"/*

# An index apt verified (amd64) and the i386 one as the archive serves it.
cat >"$work/lists/deb.example_debian-security_dists_bookworm-security_main_binary-amd64_Packages" <<'TXT'
Package: libpcre2-8-0
Version: 10.42-1+deb12u2
TXT
cat >"$work/lists/deb.example_debian_dists_bookworm_main_binary-i386_Packages" <<'TXT'
Package: wine32
Version: 8.0~repack-4
TXT
printf 'Package: libpcre2-8-0\nVersion: 10.42-1+deb12u2\n' >"$work/served-index"

run() { # run UPDATE_FAILURES [i386] -- runs the script for the win32 group; its output in $out
  rm -f "$work/apt-get.calls" "$work/pauses" "$work/i386" "$work/stamp" "$work/lists/deb.example_debian-security_"*i386*
  echo "$1" >"$work/update-failures"
  echo i386 >"$work/foreign"
  [ "${2:-}" = i386 ] && touch "$work/i386"
  out=$(PATH=$bin:$PATH STANDIN=$work KORVANTA_APT_PAUSE=0.01 KORVANTA_APT_STAMP=$work/stamp "$script" win32 2>&1)
  status=$?
}
updates() { grep -c ' update' "$work/apt-get.calls"; }

# Two failures, then the update succeeds: three tries, pauses that grow, and the install.
run 2
check "a passing second retry installs ($status): $out" [ "$status" = 0 ]
check "three updates, not $(updates)" [ "$(updates)" = 3 ]
check "pauses 0.01 then 0.02, not $(tr '\n' ' ' <"$work/pauses")" [ "$(tr '\n' ' ' <"$work/pauses")" = "0.01 0.02 " ]
check "every call retries its downloads" [ "$(grep -vc 'Acquire::Retries=5' "$work/apt-get.calls")" = 0 ]
check "one line a retry: $out" grep -q '^install-deps: apt-get update failed (try 2 of 4: Failed to fetch .*); trying again in 0.02 s$' <<<"$out"

# Once per run: a second install with the same architectures does not update again; a new
# architecture does.
PATH=$bin:$PATH STANDIN=$work KORVANTA_APT_PAUSE=0 KORVANTA_APT_STAMP=$work/stamp "$script" win32 >/dev/null 2>&1
check "the stamp spares a second update" [ "$(updates)" = 3 ]
printf 'i386\narm64\n' >"$work/foreign"
PATH=$bin:$PATH STANDIN=$work KORVANTA_APT_PAUSE=0 KORVANTA_APT_STAMP=$work/stamp "$script" win32 >/dev/null 2>&1
check "a new architecture updates again" [ "$(updates)" = 4 ]

# An archive that never answers: four tries, then the install goes on and is refused.
run always
check "an archive that always fails ends with 75, not $status" [ "$status" = 75 ]
check "four tries, not $(updates)" [ "$(updates)" = 4 ]
check "the pauses stop growing with the tries" [ "$(tr '\n' ' ' <"$work/pauses")" = "0.01 0.02 0.04 " ]
check "the last line says it is the archive's fault: $out" \
  grep -q "^install-deps: Debian's archive refused wine32-preloader:i386 wine32:i386: .*not the project's; try again later.$" <<<"$(tail -n1 <<<"$out")"

# An i386 index out of step: the index as served is taken, announced in one line, and the
# install succeeds.
run always i386
check "a stale i386 index is stood in for ($status): $out" [ "$status" = 0 ]
check "the served index is in apt's lists" \
  cmp -s "$work/served-index" "$work/lists/deb.example_debian-security_dists_bookworm-security_main_binary-i386_Packages"
check "announced in one line: $out" \
  grep -q '^install-deps: the archive.s index http://deb.example/.*binary-i386/Packages.xz is out of step with its release file; using it as served (the 1 package(s) taken from it' <<<"$out"

# ... but not when it lists a version that no verified index has.
printf 'Package: libpcre2-8-0\nVersion: 10.42-1+deb12u3\n' >"$work/lists/deb.example_debian-security_dists_bookworm-security_main_binary-amd64_Packages"
run always i386
check "an unverifiable served index is refused with 75, not $status" [ "$status" = 75 ]
check "and taken out of apt's lists again" \
  [ ! -e "$work/lists/deb.example_debian-security_dists_bookworm-security_main_binary-i386_Packages" ]
check "saying which version: $out" grep -q 'lists libpcre2-8-0 10.42-1+deb12u2 and no verified index has that version' <<<"$out"

[ "$failures" = 0 ] && echo "install-deps: every case passed"
exit $((failures > 0))
