# Shared by the Windows test scripts (sourced): the Windows spellings of
# Linux paths, and the pages of a Windows run given the Linux spelling so
# that they can be compared byte for byte with the Linux build's.

# The Windows spelling of an absolute Linux path, as Wine's drive Z: has it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The same for a path inside the Wine prefix's drive C:.
wine_c_path() {
  local rest=${1#"$WINEPREFIX/drive_c"}
  printf 'C:%s' "${rest//\//\\}"
}

# The start stamp of a summary page differs with the second the run began.
unstamp() {  # summary pages
  perl -pi -e 's{\d{4}/\d\d/\d\d&nbsp;&nbsp;\d\d:\d\d:\d\d}{STAMP}' "$@"
}

# Replaces one text by another in a page (code page 932) in place. Whole
# texts only, so that a trail byte 0x5C of a Japanese character stays.
replace_in_page() {  # file, from, to (UTF-8)
  FROM="$2" TO="$3" perl -0777 -MEncode -pi -e '
    my ($from, $to) = map { encode("cp932", decode("UTF-8", $_)) } @ENV{qw(FROM TO)};
    s/\Q$from\E/$to/g' "$1"
}

# The pages of the Windows run with its path texts given the Linux spelling.
unwindows() {  # folder, then the Linux folder texts that appear in its pages
  local folder=$1
  shift
  local file to
  for file in "$folder"/*; do
    for to in "$@"; do
      replace_in_page "$file" "$(winpath "$to")" "$to"
    done
  done
}
