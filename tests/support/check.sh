# Sourced by the check scripts: how each says what it found. A skip exits
# 77, which ctest counts as skipped, and CI, which has every tool, as failed.
skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAIL: $*"
    exit 1
}
# need TOOL...: skips, naming the first one that is not installed.
need() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}
