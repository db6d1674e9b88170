#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes this Debian 12 machine able to run 32-bit Windows programs under wine, as the
# Windows tests need: Debian's 32-bit wine, and, where the kernel does not run 32-bit x86
# code itself, qemu's user-mode emulator registered for it. Safe to run again, and quick
# when everything is in place. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "enable-win32-programs: $*" >&2
  exit 1
}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# A 93-byte 32-bit x86 Linux program that only exits with 0.
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
probe_bytes=7f454c4601010100000000000000000002000300010000005480040834000000000000000000000034002000
probe_bytes+=0100000000000000010000000000000000800408008004085d0000005d0000000500000000100000
probe_bytes+=b80100000031dbcd80
printf "$(sed 's/../\\x&/g' <<<"$probe_bytes")" >"$probe"
chmod +x "$probe"
runs_i386() { "$probe" 2>/dev/null; }

if ! runs_i386; then
  # The kernel refuses 32-bit code ("Exec format error"): hand it to qemu. Nothing mounts
  # binfmt_misc at boot here, and Debian registers qemu for every architecture but the
  # machine's own family, so both are done here. The F flag opens the emulator now, so
  # that it also serves programs started inside other root folders (wine's preloader).
  scripts/install-deps.sh qemu
  binfmt=/proc/sys/fs/binfmt_misc
  if [ ! -e "$binfmt/register" ]; then
    $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
      fail "cannot mount $binfmt, so 32-bit programs cannot be handed to qemu (is this a container without the privilege?)"
  fi
  if [ -e "$binfmt/qemu-i386" ]; then
    echo 1 | $sudo tee "$binfmt/qemu-i386" >/dev/null
  else
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s\n' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null ||
      fail "the kernel refused to register qemu-i386-static for 32-bit programs"
  fi
  runs_i386 || fail "32-bit x86 programs still do not run after registering qemu-i386-static"
  echo "32-bit x86 programs run through qemu-i386-static"
fi

# Debian's 32-bit wine. The preloader is only suggested, but without it the 32-bit loader
# cannot map wine's shared memory.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
scripts/install-deps.sh win32
/usr/lib/wine/wine --version >/dev/null 2>&1 || fail "the 32-bit wine loader /usr/lib/wine/wine does not start"
