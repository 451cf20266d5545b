#!/usr/bin/env bash
# Copies the fonts of Debian's fonts-wine into the Fonts folder of each given Wine prefix:
#   copy-wine-fonts.sh PREFIX...
# Debian's Wine 8 only loads them ("MS Sans Serif" as sserife.fon, Tahoma) from a prefix's own
# Fonts folder; without them every face falls back to another one with another text height,
# and caption buttons draw as letters. Fonts already there are kept; a prefix that is not booted
# yet, or a system without fonts-wine, is left as it is.
set -uo pipefail
for prefix in "$@"; do
  fonts="$prefix/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  fi
done
