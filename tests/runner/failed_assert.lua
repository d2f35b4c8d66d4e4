-- expect: ^tests/runner/failed_assert\.lua:4: the message$
-- A failed assert names the scenario's file and line.
tick(1)
assert(top_modal() == "nothing", "the message")
