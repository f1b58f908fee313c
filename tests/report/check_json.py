# Reads the JSON trovex-report printed (standard input, as strict UTF-8) for
# escapes.txt, an empty file, a whole report and a text of every byte, and checks
# what a JSON reader gets: each file's verdict, texts escaped and decoded, numbers
# typed, null for what the report never held, and each byte of the last text as
# the tool promises: valid UTF-8 as itself, any other byte as Latin-1. The
# arguments are the first two files' paths.
import codecs, json, re, sys
d = json.loads(sys.stdin.buffer.read().decode('utf-8'))
assert [(f['file'], f['verdict'], f['complete'], f['lastKey']) for f in d[:2]] == [
    (sys.argv[1], 'cut report', False, 'clgpu[0].CLCompute'),
    (sys.argv[2], 'not a report', False, None)], d
assert d[1]['glgpu'] == [] and d[2]['complete'] is True and len(d[2]['glgpu']) == 2, d
g, c = d[0]['glgpu'][0], d[0]['clgpu'][0]
assert g['GLRenderer'] == 'tab\there \\ back "q" \u00e9 \u2713', g['GLRenderer']
assert g['GLMemoryMB'] == 4294967295 and g['HasGLNPOTSupport'] is True, g
assert g['GLVersion'] is None and g['GLName'] is None, g
assert g['glGetString'] == {'GL_SHADING_LANGUAGE_VERSION': '4.50'}, g
assert g['glGetProgramivARB'] == {'GL_FRAGMENT_PROGRAM_ARB': {'GL_MAX_PROGRAM_INSTRUCTIONS_ARB': None}}, g
assert len(g['extension']) == 10 and set(g['extension'].values()) == {None}, g
assert c['CLBandwidth'] is None and c['CLCompute'] == 2.5 and c['CUDAVersion'] is None, c
quoted = re.search(rb'GLName="(.*)"$', open(d[3]['file'], 'rb').read(), re.S)[1]
codecs.register_error('latin1', lambda e: (e.object[e.start:e.end].decode('latin-1'), e.end))
expected = re.sub(rb'\\(.)', rb'\1', quoted, flags=re.S).decode('utf-8', 'latin1')
assert d[3]['glgpu'][0]['GLName'] == expected, (d[3]['glgpu'][0]['GLName'], expected)
