# fm_embed_payloads(TARGET <target> PAYLOADS <id> <program-target> [<id> <program-target> ...])
# Filled in with the system services: Windows gets resources of type "EXE",
# the POSIX build an .incbin table; the build depends on the embedded files.
function(fm_embed_payloads)
endfunction()
