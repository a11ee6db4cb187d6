# Scenario texts for timing the plugin through devserver, at the scale of the benchmarks. Each
# function prints a scenario on standard output; its last argument is how many times the timed
# step repeats (ticks, or chat lines), so that two runs differing only in it time that step.
# Sourced by scripts/bench.

# The full server of the label benchmark: 7 tribes of 10 players, each player tracking the 50
# wild and the 50 tribe creatures of his camp and showing his mates, so that every tick (labels
# refresh at every one) draws 7,000 creature labels and 630 mate labels.
full_server_scenario() {
  local config="$1" ticks="$2"
  echo "config-file $config"
  echo "config-set /UpdateTextEvery 0"
  echo "config-set /MaxTrackPerPlayer 100"
  echo "load"
  local tribe player creature x y
  for tribe in 1 2 3 4 5 6 7; do
    # Camps 1 km apart; creatures on a 10 m grid, players in a row 15 m apart beside it.
    local cx=$((tribe * 100000)) team=$((20000 + tribe))
    for creature in $(seq 0 49); do
      x=$((cx + (creature % 10) * 1000)) y=$(((creature / 10) * 1000 + 1000))
      echo "dino w$tribe-$creature \"Rex\" level=$((creature + 1)) at $x $y 0"
      echo "dino t$tribe-$creature \"Argentavis\" level=$((creature + 1)) team=$team at $x $((-y)) 0"
    done
    for player in $(seq 1 10); do
      local id=$(((tribe - 1) * 10 + player))
      echo "player p$id steam=$id data=$id tribe=$team at $((cx + (player - 1) * 1500)) 0 0"
    done
  done
  # Mates first: that command is refused to a player at his limit.
  for player in $(seq 1 70); do
    echo "chat p$player /trackmates on"
    echo "chat p$player /trackdino rex"
    echo "chat p$player /tracktribe on"
  done
  echo "tick $ticks"
}

# One player at the centre of 50,000 creatures spread over the whole map; the line he types
# runs the given number of times. Searches expand ring by ring, as in the benchmarks.
map_scenario() {
  local config="$1" matches="$2" line="$3" times="$4"
  echo "config-file $config"
  echo "config-set /Commands/TrackWildDinos/MaxTrackRange 0"
  echo "load"
  echo "dinos $((50000 - matches)) \"Dodo\" seed=1"
  if ((matches > 0)); then echo "dinos $matches \"Giganotosaurus\" seed=2"; fi
  echo "player alice steam=1 data=1 groups=Default,Admins"
  for _ in $(seq 1 "$times"); do echo "chat alice $line"; done
}
