#!/bin/bash
# Saves that fail part-way keep the old file: a nearly full file system, a read-only mount,
# injected write/fsync/close/rename faults and a SIGKILL during a large save. After each, the
# target's bytes are unchanged and no temporary file is left (except after SIGKILL, where
# nothing can clean up at once; the target must still be whole, and a later save removes the
# left-over once it is old).
# Usage: data_safety.sh TOOL   (needs root for the mounts; exits 77, skipped, otherwise)
set -u
tool=$1
if [ "$(id -u)" != 0 ]; then
    echo "SKIP: the data-safety checks mount file systems and need root"
    exit 77
fi
work=$(mktemp -d /tmp/fwsafe.XXXXXX)
mounts=()
cleanup() {
    for m in "${mounts[@]}"; do umount -l "$m" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
export APPDATA=$work/appdata
# An ASan build must accept libfiu's preload ahead of it.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
mkdir -p "$APPDATA/Facetwright"
cd "$work" || exit 1

failures=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# A small original and a large model (a 200 x 200 grid, about 22 MB as a model file).
printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n' >small.obj
"$tool" convert small.obj original.FW2 || exit 1
"$tool" convert small.obj original.OBJ || exit 1
awk 'BEGIN { n = 200
  for (i = 0; i < n; i++) for (j = 0; j < n; j++) printf "v %d %d %d\n", i, j, (i * j) % 7
  for (i = 0; i < n - 1; i++) for (j = 0; j < n - 1; j++) {
    a = i * n + j + 1; printf "f %d %d %d %d\n", a, a + 1, a + n + 1, a + n } }' >big.obj
"$tool" convert big.obj big.FW2 || exit 1
"$tool" convert big.FW2 expected.FW2 || exit 1

# The folder holds exactly the names given (so no temporary file is left).
only() { # folder, names...
    local dir=$1
    shift
    [ "$(ls -A "$dir" | sort | tr '\n' ' ')" = "$(printf '%s\n' "$@" | sort -u | tr '\n' ' ')" ]
}

# A save into dir/name must fail and leave the original's bytes and nothing else.
expect_kept() { # description, folder, name, extra names in the folder..., -- command prefix...
    local what=$1 dir=$2 name=$3
    shift 3
    local extra=()
    while [ "$1" != -- ]; do extra+=("$1"); shift; done
    shift
    local ext=${name##*.}
    "$@" "$tool" convert big.FW2 "$dir/$name" >/dev/null 2>&1
    local status=$?
    check "$what: the save fails" test $status = 1
    check "$what: the original is unchanged" cmp -s "$dir/$name" "original.$ext"
    check "$what: no temporary file is left" only "$dir" "$name" "${extra[@]}"
    # The reason reaching the log shows the fault came through the calls the save makes.
    check "$what: the log gives the reason" grep -q "Saving failed: " "$APPDATA/Facetwright/facetwright-tool.Log"
}

# 1. A 64 KB file system with 8 KB left.
mkdir full
mount -t tmpfs -o size=64k tmpfs full && mounts+=("$work/full")
cp original.FW2 original.OBJ full/
dd if=/dev/zero of=full/filler bs=1k count=64 2>/dev/null
truncate -s -8k full/filler
for name in original.FW2 original.OBJ; do
    expect_kept "full disk, $name" full "$name" original.FW2 original.OBJ filler --
done

# 2. A read-only bind mount.
mkdir rw ro
cp original.FW2 original.OBJ rw/
mount --bind rw ro && mount -o remount,bind,ro ro && mounts+=("$work/ro")
for name in original.FW2 original.OBJ; do
    expect_kept "read-only mount, $name" ro "$name" original.FW2 original.OBJ --
done

# 3. Faults injected into the system calls the save makes (libfiu's POSIX preload). Each must
# actually reach the save: a fault that was not intercepted would let the save succeed.
mkdir faults
if ! bash -c 'fiu-run -x "$0" --help; exit $?' "$tool" >/dev/null 2>&1; then
    # The preload cannot start inside a sanitizer build's process; the plain build runs these.
    echo "SKIP fault injection: libfiu's preload does not run with this build of the tool"
else
for fault in posix/io/rw/write posix/io/sync/fsync posix/io/oc/close posix/io/dir/rename; do
    for name in original.FW2 original.OBJ; do
        cp "$name" faults/
        expect_kept "$fault, $name" faults "$name" -- fiu-run -x -c "enable name=$fault"
        rm -f faults/*
    done
done
# Short writes are no failure: the rest is written and the file comes out whole.
cp original.FW2 faults/
fiu-run -x -c "enable_random name=posix/io/rw/write/reduce,probability=0.5" \
    "$tool" convert big.FW2 faults/original.FW2
check "short writes: the save completes" cmp -s faults/original.FW2 expected.FW2
check "short writes: no temporary file is left" only faults original.FW2
fi

# 4. SIGKILL while the large save is under way: the target is the old file or the new one,
# never a mixture. Tried until the kill lands before the rename.
mkdir killed
landed=0
for attempt in 1 2 3 4 5; do
    cp original.FW2 killed/target.FW2
    "$tool" convert big.FW2 killed/target.FW2 >/dev/null 2>&1 &
    pid=$!
    until compgen -G "killed/target.FW2.??????" >/dev/null || ! kill -0 $pid 2>/dev/null; do :; done
    sleep 0.05
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    if cmp -s killed/target.FW2 original.FW2; then
        landed=1
        break
    fi
    check "SIGKILL too late (attempt $attempt): the new file is whole" \
        cmp -s killed/target.FW2 expected.FW2
    rm -f killed/*
done
check "SIGKILL during the save: the original is intact" test $landed = 1

# The killed save's temporary file: a later save leaves it while it may still be a save under
# way, and removes it once it is old.
left=$(compgen -G "killed/target.FW2.??????" | head -n 1)
check "the killed save left its temporary file" test -n "$left"
"$tool" convert original.FW2 killed/target.FW2
check "a recent left-over stays" test -e "$left"
touch -d '-1 hour' "$left"
"$tool" convert original.FW2 killed/target.FW2
check "an old left-over goes with the next save" only killed target.FW2

# 5. A name of 255 bytes, the longest a folder can hold, still saves and leaves nothing else.
mkdir long
long=$(printf 'L%.0s' $(seq 251)).FW2
cp original.FW2 "long/$long"
"$tool" convert big.FW2 "long/$long"
check "255-byte name: saved" cmp -s "long/$long" expected.FW2
check "255-byte name: no temporary file is left" only long "$long"

[ $failures = 0 ] && echo "all data-safety checks passed"
exit $((failures > 0))
