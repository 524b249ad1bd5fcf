# The steps that the release zips' checks share. The script that sources this defines fail().

# The two zips have the same name and the same bytes.
expect_same_zip() {
  local zip=$1 other=$2
  if [ "$(basename "$zip")" != "$(basename "$other")" ]; then
    fail "zip names differ: $(basename "$zip") and $(basename "$other")"
  elif ! cmp "$zip" "$other"; then
    fail "$zip and $other differ"
    cmp -l "$zip" "$other" | head -20 >&2 || true
  fi
  echo "package: $zip ($(stat -c %s "$zip") bytes)"
}

# The zip holds exactly these members, in name order, all in one folder named like the zip.
expect_members() {
  local zip=$1
  shift
  local top expected=() members=()
  top=$(basename "$zip" .zip)
  for member in "$@"; do expected+=("$top/$member"); done
  mapfile -t members < <(cmake -E tar tf "$zip")
  if [ "${members[*]}" != "${expected[*]}" ]; then
    fail "the zip holds: ${members[*]}; wanted: ${expected[*]}"
  fi
}
