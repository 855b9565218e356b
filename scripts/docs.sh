#!/usr/bin/env bash
# Builds the runtime's reference (HTML) from its public face, include/morvane/,
# with Doxygen, into build/docs/html. Every entity of the public face must be
# documented, each parameter too: any warning fails the run and is printed.
#   scripts/docs.sh [PUBLIC-HEADER-FOLDER [OUTPUT-FOLDER]]
set -euo pipefail
cd "$(dirname "$0")/.."
input=${1:-include/morvane}
output=${2:-build/docs}
command -v doxygen >/dev/null || { echo "docs: doxygen is missing (scripts/setup.sh installs it)" >&2; exit 1; }
mkdir -p "$output"
warnings="$output/warnings.txt"
doxygen - >"$output/doxygen.log" 2>&1 <<CONFIG || { cat "$output/doxygen.log" >&2; exit 1; }
PROJECT_NAME           = "Morvane runtime"
PROJECT_BRIEF          = "The runtime's public face: morvane/morvane.h"
OUTPUT_DIRECTORY       = $output
INPUT                  = $input
FILE_PATTERNS          = *.h
RECURSIVE              = NO
STRIP_FROM_PATH        = $(dirname "$input")
FULL_PATH_NAMES        = YES
JAVADOC_AUTOBRIEF      = YES
EXTRACT_ALL            = NO
EXTRACT_PRIVATE        = NO
EXTRACT_STATIC         = NO
HIDE_UNDOC_MEMBERS     = NO
ENABLE_PREPROCESSING   = YES
MACRO_EXPANSION        = YES
EXPAND_ONLY_PREDEF     = YES
PREDEFINED             = "MVN_RTSTRING_COMPARE(op)="
QUIET                  = YES
WARNINGS               = YES
WARN_IF_UNDOCUMENTED   = YES
WARN_IF_DOC_ERROR      = YES
WARN_IF_INCOMPLETE_DOC = YES
WARN_NO_PARAMDOC       = YES
WARN_LOGFILE           = $warnings
GENERATE_HTML          = YES
GENERATE_LATEX         = NO
SEARCHENGINE           = NO
HAVE_DOT               = NO
CLASS_GRAPH            = NO
CONFIG
if [[ -s $warnings ]]; then
  echo "docs: the public face has undocumented or badly documented entities:" >&2
  cat "$warnings" >&2
  exit 1
fi
echo "docs: reference written to $output/html/index.html"
