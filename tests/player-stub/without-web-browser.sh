#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX a system without a web browser: nothing opens http or https
# addresses, so a projector falls back on the program registered for .swf files, or saves its
# movie and says so. Wine's prefixes start with winebrowser registered for both.
set -euo pipefail
wine reg delete 'HKCR\http' /f || true
wine reg delete 'HKCR\https' /f || true
