#!/usr/bin/env bash
# Registers PROGRAM as the program that opens .swf files in the Wine prefix $WINEPREFIX:
#   register-swf-player.sh PROGRAM
# Wine 8 does not merge HKCU\Software\Classes into HKEY_CLASSES_ROOT as Windows does, so the
# association goes straight into HKEY_CLASSES_ROOT, where both look it up.
set -euo pipefail
program=$(winepath -w "$1")
wine reg add 'HKCR\.swf' /ve /d SwivexTest.SwfPlayer /f
wine reg add 'HKCR\SwivexTest.SwfPlayer\shell\open\command' /ve /d "\"$program\" \"%1\"" /f
