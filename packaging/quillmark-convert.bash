# bash completion for quillmark-convert
_quillmark_convert() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_CWORD:+${COMP_WORDS[COMP_CWORD - 1]}}
  local opts="--to --fps -o -d --ext --no-overwrite --quiet --shift --shift-frames --only --range
    --scale --fps-from --fps-to --hide-from-show --show-from-hide --replace --trim
    --repair-overlaps --delete-empty --remove-accents --wrap --find --from --up --case
    --detect --info --check --dump --list-formats --encoding --to-encoding -h --help --version"

  case $prev in
    --to)
      # The names the program itself takes, with srt as the usual alias.
      local names
      names=$("${COMP_WORDS[0]}" --list-formats 2>/dev/null | awk -F'\t' '$4 != "-" {print $5}')
      mapfile -t COMPREPLY < <(compgen -W "$names srt" -- "$cur")
      return ;;
    --fps | --fps-from | --fps-to)
      mapfile -t COMPREPLY < <(compgen -W "23.976 24 25 29.97 30" -- "$cur")
      return ;;
    --encoding | --to-encoding)
      mapfile -t COMPREPLY < <(compgen -W "auto utf-8 utf-8-bom utf-16le utf-16be windows-1250 windows-1252
        iso-8859-2 windows-1251" -- "$cur")
      return ;;
    --only)
      mapfile -t COMPREPLY < <(compgen -W "show hide" -- "$cur")
      return ;;
    -d)
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return ;;
    -o)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
    --ext | --shift | --shift-frames | --range | --scale | --replace | --wrap | --find | --from)
      return ;;  # a value of the user's own
  esac

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$opts" -- "$cur")
  else
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  fi
}
complete -o filenames -o bashdefault -F _quillmark_convert quillmark-convert
