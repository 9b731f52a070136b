#!/usr/bin/env bash
# Installs the package with apt, as a user would, so that apt pulls in what
# it depends on; starts the installed program headless; purges the package
# and checks that nothing of it is left under /usr, /etc or in dpkg's
# records. It runs on this machine itself: a fresh Debian root would first
# cost a debootstrap and the download of Qt and its dependencies, minutes on
# every run, so the CI machine, set up from nothing, stands in for it. The
# machine is left as it was: whatever apt pulls in for the package goes too.
# usage: deb_install.sh OUT_DIR
set -euo pipefail
source "$(dirname "$0")/../support/check.sh"
source "$(dirname "$0")/built_package.sh"
package_in "$1"
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
echo "package: $deb, installed on this machine (not in a fresh root, see the script)"

[[ $EUID -eq 0 ]] || skip "installing a package needs root"
for tool in apt-get dpkg dpkg-query; do
    command -v "$tool" >/dev/null || skip "$tool is not installed: apt is unusable here"
done
# Another apt at work keeps the lock: wait for it a while rather than fail.
# Fresh roots share their downloads folder, whose lock apt does not wait
# for: there they take turns on DENTIVEL_APT_LOCK.
apt_options=(-y --no-install-recommends -o DPkg::Lock::Timeout=120)
apt=(apt-get)
[[ -z "${DENTIVEL_APT_LOCK:-}" ]] || apt=(flock "$DENTIVEL_APT_LOCK" apt-get)
export DEBIAN_FRONTEND=noninteractive

# A Dentivel already on this machine, packaged or copied by hand, belongs to
# its user: the test would overwrite it and then purge it, so it stays out.
known=$(dpkg-query -W -f='${db:Status-Abbrev}' dentivel 2>/dev/null || true)
if [[ -n "$known" && "$known" != un* ]]; then
    skip "a dentivel package is already here (dpkg status '${known% }'); not replacing it"
fi
# The package's files, with its directories, of which those already here are
# shared with others and stay after purging; those it brought must go with it.
mapfile -t entries < <(dpkg-deb -c "$deb" | awk '{print $6}' | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^$')
# Looked up in an array: a `printf | grep -q` under pipefail fails whenever
# grep stops reading before printf is done.
declare -A existing_dirs=()
for entry in "${entries[@]}"; do
    if [[ -d "$entry" ]]; then
        existing_dirs[$entry]=1
    elif [[ -e "$entry" || -L "$entry" ]]; then
        skip "$entry is already on this machine; not replacing it"
    fi
done
for program in /usr/local/bin/dentivel /usr/local/sbin/dentivel; do
    [[ ! -e "$program" ]] || skip "$program, installed by hand, would shadow the package's program"
done
# Other files that merely carry the name (an apt source of the set-up
# commands, say) are no Dentivel: only what appears with the package counts.
names_before=$(find /usr /etc -iname '*dentivel*' 2>/dev/null | sort)

# What apt is about to do: only new packages, nothing upgraded or removed,
# for purging must be able to undo all of it.
if ! plan=$(apt-get install -s "${apt_options[@]}" "$deb" 2>&1); then
    echo "$plan"
    if grep -q 'Could not get lock\|Unable to acquire the dpkg' <<<"$plan"; then
        skip "the dpkg database stays locked by another program"
    fi
    fail "apt cannot install the package"
fi
if grep -E '^(Remv|Inst [^ ]+ \[)' <<<"$plan"; then
    skip "installing would remove or upgrade the packages above, which purging cannot undo"
fi
pulled=$(sed -nE 's/^Inst ([^ ]+) .*/\1/p' <<<"$plan" | grep -vx dentivel | tr '\n' ' ' || true)
pulled=${pulled% }
echo "apt pulls in: ${pulled:-nothing, every dependency is already installed}"

scratch=$(mktemp -d)
pid=
cleanup() {
    if [[ -n "$pid" ]]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    # Whatever the outcome, the machine goes back to what it was.
    if dpkg-query -W -f='${db:Status-Abbrev}' dentivel 2>/dev/null | grep -qv '^un'; then
        "${apt[@]}" purge "${apt_options[@]}" dentivel >/dev/null 2>&1 || true
    fi
    if [[ -n "$pulled" ]]; then
        # shellcheck disable=SC2086 # one package name a word
        if "${apt[@]}" purge "${apt_options[@]}" $pulled >"$scratch/purge-pulled.log" 2>&1; then
            echo "purged what apt had pulled in:" $pulled
        else
            cat "$scratch/purge-pulled.log"
            rm -rf "$scratch"
            fail "could not purge what apt had pulled in:" $pulled
        fi
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

"${apt[@]}" install "${apt_options[@]}" "$deb" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; fail "apt-get install $deb failed"; }
[[ "$(dpkg-query -W -f='${db:Status-Abbrev}' dentivel)" == "ii " ]] || fail "dentivel is not installed"
echo "installed: $(dpkg-query -W -f='${Package} ${Version}' dentivel), $(dpkg-query -L dentivel | wc -l) paths"

# As the menu entry starts it, through the PATH, with no display at all; its
# run-time files go to a directory of the test's.
program=$(PATH=/usr/local/bin:/usr/bin:/bin command -v dentivel || true)
[[ "$program" == /usr/bin/dentivel ]] || fail "the installed dentivel is not found on the PATH"
mkdir -m 700 "$scratch/runtime"
(
    unset DISPLAY WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch/runtime
    exec dentivel
) >"$scratch/run.log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    cat "$scratch/run.log"
    fail "the installed program ended by itself"
fi
[[ "$(readlink "/proc/$pid/exe")" == /usr/bin/dentivel ]] || fail "what runs is not /usr/bin/dentivel"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "installed program ran headless until stopped"

"${apt[@]}" purge "${apt_options[@]}" dentivel >"$scratch/purge.log" 2>&1 ||
    { cat "$scratch/purge.log"; fail "apt-get purge dentivel failed"; }
left=()
known=$(dpkg-query -W -f='${db:Status-Abbrev}' dentivel 2>/dev/null || true)
[[ -z "$known" || "$known" == un* ]] || left+=("dpkg status '${known% }'")
grep -qx 'Package: dentivel' /var/lib/dpkg/status && left+=("an entry in /var/lib/dpkg/status")
for record in /var/lib/dpkg/info/dentivel.*; do
    [[ -e "$record" ]] && left+=("$record")
done
for entry in "${entries[@]}"; do
    if [[ -e "$entry" || -L "$entry" ]] && [[ -z "${existing_dirs[$entry]:-}" ]]; then
        left+=("$entry")
    fi
done
while IFS= read -r found; do
    left+=("$found")
done < <(comm -13 <(echo "$names_before") <(find /usr /etc -iname '*dentivel*' 2>/dev/null | sort))
if ((${#left[@]})); then
    printf '  left: %s\n' "${left[@]}" | sort -u
    fail "purging left the above behind"
fi
echo "purged: nothing of the package is left under /usr, /etc or in dpkg's records"
