# phase NAME COMMAND...: runs the command between two lines naming it, the second with its time.
phase() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - start)) s"
}
