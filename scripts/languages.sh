# The languages the tools speak, read from the catalogues in words/: sourced by
# the install script and the language tests, so a new catalogue is installed
# for and tested without another list to edit.
languages_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Every catalogue's language but English ("de", "pt-BR", ...), sorted.
translated_languages() {
  local file
  for file in "$languages_root"/words/*.txt; do
    file=${file##*/}; file=${file%.txt}
    [ "$file" != en ] && echo "$file"
  done | sort
}

# The C library's locale for a language: "de" -> "de_DE", "pt-BR" -> "pt_BR".
locale_of() {
  local language=${1%-*} region=${1#*-}
  [ "$region" = "$1" ] && region=${language^^}
  echo "${language}_${region}"
}
