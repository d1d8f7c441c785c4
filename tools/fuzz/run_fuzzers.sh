#!/bin/bash
# Runs the libFuzzer programs of a clang build made with QUILL_FUZZ=ON, each for a bounded
# time, over a corpus grown in the build folder and the generated seeds.
#
#   tools/fuzz/run_fuzzers.sh <build folder> [seconds per target] [target ...]
#
# The build folder is configured with:
#   CC=clang CXX=clang++ cmake -S . -B <build folder> -G Ninja -DQUILL_SANITIZE=ON -DQUILL_FUZZ=ON
# Crashes land in <build folder>/fuzz-artifacts/<target>/, logs in fuzz-logs/. To replay the
# grown corpora as tests: QUILL_FUZZ_CORPUS=<build folder>/fuzz-corpus ctest -R CorpusReplay
set -euo pipefail
build=$(cd "${1:?usage: $0 <build folder> [seconds] [target ...]}" && pwd)
seconds=${2:-120}
shift $(( $# >= 2 ? 2 : 1 ))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(stage replay language settings keys png sound readstring stagesource script play)
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$build" -j 4 --target quill_fuzz_seeds $(printf 'fuzz_%s ' "${targets[@]}")
"$build/tools/fuzz/quill_fuzz_seeds" "$build/fuzz-seeds"
# The shipped stages too: their sources and, when the build made them, the compiled files.
cp "$source_dir"/assets/Levels-src/*.stage "$build/fuzz-seeds/stagesource/"
find "$build/game/Levels" -maxdepth 1 -type f ! -name '*.SOL' -exec cp {} "$build/fuzz-seeds/stage/" \; 2>/dev/null || true
mkdir -p "$build/fuzz-logs"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/fuzz-corpus/$t" "$build/fuzz-artifacts/$t"
  dirs=("$build/fuzz-corpus/$t" "$build/fuzz-seeds/$t")
  # Kept reproducers are hex text; the replay tests read them, the fuzzer starts from the seeds.
  if ! "$build/tools/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$t/" "${dirs[@]}" > "$build/fuzz-logs/$t.log" 2>&1; then
    echo "fuzz_$t: FOUND A FAULT (see $build/fuzz-logs/$t.log)"
    status=1
  fi
  grep -a -E '^#[0-9]+.*(DONE|cov:)' "$build/fuzz-logs/$t.log" | tail -1 | sed "s/^/fuzz_$t: /"
done
exit $status
