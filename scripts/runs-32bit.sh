#!/usr/bin/env bash
# Exits 0 when this machine executes 32-bit x86 programs, 1 when it does not.
# Asks the machine itself: a 96-byte static i386 ELF program that only calls exit(42) is written
# and run. A kernel without 32-bit support refuses it ("Exec format error"), and so would wine32.
set -u
# A user-mode emulator registered for i386 programs would run the probe without the kernel's help;
# wine32 does not run that way, so such a machine counts as one without 32-bit support.
for entry in /proc/sys/fs/binfmt_misc/*; do
  grep -qs '^enabled' "$entry" && grep -qs '^interpreter .*i386' "$entry" && exit 1
done
probe="$(mktemp /tmp/runs-32bit.XXXXXX)"
trap 'rm -f "$probe"' EXIT
# ELF header (i386, entry 0x08048054), one loadable segment, then:
#   mov eax, 1 ; mov ebx, 42 ; int 0x80
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000'\
'\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'\
'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'\
'\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'\
'\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
